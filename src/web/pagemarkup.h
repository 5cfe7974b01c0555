#pragma once

#include <optional>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class EventPump;

// An attribute of an element: its name in lower case, its value with character references decoded.
struct MarkupAttribute
{
    QString name;
    QString value;
};

using MarkupAttributes = QList<MarkupAttribute>;

// The value of the named attribute (a lower-case name); nullopt when the element has none.
std::optional<QString> attributeValue(const MarkupAttributes &attributes, QStringView name);

// An <a> or a <link> element.
struct MarkupLink
{
    MarkupAttributes attributes;
    QString text;       // what an <a> shows as text, blanks collapsed
    bool anchor = true; // false for <link>
};

struct MarkupImage
{
    MarkupAttributes attributes;
    qsizetype link = -1; // the <a> it stands in (an index into the links), -1 when none
};

// What the reader needs of a page's markup, read as a browser's parser reads the elements: tag
// and attribute names in any case, values in double, single or no quotes, comments skipped,
// scripts and styles taken as text.
struct PageMarkup
{
    std::optional<QString> baseHref; // the first <base href>
    QList<MarkupLink> links;         // in page order
    QList<MarkupImage> images;       // in page order
    QStringList scripts;             // the text of each inline <script>
};

// Reads the page; `pump` (may be null) lets the user interface handle events on a long page.
PageMarkup readPageMarkup(QStringView page, EventPump *pump = nullptr);
