#pragma once

#include <QString>

// The task folder's name made from a task's title: "?" becomes "-", < > * : " / \ are removed, and
// a name longer than 50 characters is cut to 47 (46 when the 47th is the first half of a
// character beyond the BMP, such as an emoji). A name of dots alone (".", "..") would point at
// the Download folder or above it, so each dot becomes "-" instead.
QString CleanFolderName(const QString &title);
