#pragma once

#include <QString>
#include <QStringView>

// Markup text with its character references replaced as a browser replaces them: "&amp;", "&lt;",
// "&quot;", "&nbsp;" and the other names pages use in links, and "&#38;" / "&#x26;". A reference
// this does not know stays as written.
QString decodeCharacterReferences(QStringView text);
