#pragma once

#include <optional>
#include <QString>

// What the new-task box holds until the user types: the clipboard takes its place.
inline QString defaultTaskAddress()
{
    return QStringLiteral("http://");
}

// The clipboard's text when it should replace the box's text (it starts with "http", exactly, and
// the box still holds its default); nullopt when the box stays as it is.
std::optional<QString> clipboardPickUp(const QString &clipboard, const QString &box);

// The box's text as it is fetched: "http://" in front unless it already starts with "http://" or
// "https://".
QString completeTaskAddress(const QString &box);

// The chapter's title: the text between "<title" + 7 characters and "</title>", unchanged;
// "Cannot get the title" when either is missing or the closing tag stands inside the opening one.
QString ExtractTitle(const QString &page);
