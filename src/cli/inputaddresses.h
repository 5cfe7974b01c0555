#pragma once

#include <QStringList>

// The chapter addresses of an input list (get -i): one a line, surrounding blanks dropped; blank
// lines and lines starting with "#" are skipped.
QStringList inputAddresses(const QStringList &lines);
