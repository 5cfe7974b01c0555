#pragma once

#include <QByteArray>
#include <QString>

// ISO-8859-16 (Latin-10, South-Eastern European), which ICU's standard data lacks.
QString decodeLatin10(const QByteArray &bytes);
