#pragma once

#include <QStringList>

// The picture addresses a page's scripts name, for a reader that builds its pages from a list in
// a script: every string (JSON or script literal, its escapes such as "\/" undone) whose address
// names a picture by its extension, in order, each once, cleaned but not resolved.
QStringList scriptPictureAddresses(const QStringList &scripts);
