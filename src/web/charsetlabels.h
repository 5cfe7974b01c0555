#pragma once

#include "web/webencoding.h"

#include <optional>
#include <QByteArray>
#include <QString>

// A charset label found in the WHATWG Encoding Standard's table (the names browsers accept on web
// pages): "gb2312" and "GBK" both name GBK, "utf8" names UTF-8.
struct KnownLabel
{
    QByteArray label; // as the table spells it: lower case, no surrounding whitespace
    WebEncoding encoding;
};

// Surrounding ASCII whitespace is ignored and ASCII letters match without case; nullopt for an
// unknown label.
std::optional<KnownLabel> lookUpLabel(const QString &label);
