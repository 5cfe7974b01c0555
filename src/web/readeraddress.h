#pragma once

#include <QString>
#include <QStringView>
#include <QUrl>

// Addresses as a browser takes them from a page.

// An attribute value or script string as an address: blanks and control characters around it
// dropped, tabs and line breaks inside it removed.
QString cleanAddress(QStringView value);

// `address` resolved against `base` as a browser resolves it; an invalid address when the result
// is not an http or https address with a host.
QUrl resolveAddress(const QUrl &base, const QString &address);

// The text the reader writes for an address: fully encoded, without its fragment.
QString addressText(const QUrl &url);

// The same text for an address given as text, so that two spellings of one address compare equal;
// text that is no address is kept as it is.
QString addressKey(const QString &address);

// True when the address's last path segment names a picture file by its extension
// (jpg, jpeg, png, gif, webp, bmp, avif), more than the extension alone.
bool namesPicture(QStringView address);
