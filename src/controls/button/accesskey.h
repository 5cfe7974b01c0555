#pragma once

#include <QChar>
#include <QString>

// The access key a caption gives its button, in lower case: the character after the first single
// "&"; one leading "&&" pair is skipped. A null QChar when there is none.
QChar accessKeyOf(const QString &caption);
