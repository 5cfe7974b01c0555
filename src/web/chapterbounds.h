#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Where a chapter ends, for a walk that stays inside it. It knows the pages the walk has fetched
// (both under the address asked for and where they were found after redirects), the part of the
// address the chapter's pages share, and the images the walk has collected.
class ChapterBounds
{
public:
    bool hasFetched(const QString &address) const;

    // Takes a fetched page into the chapter; false, taking nothing, when it lies outside: found
    // where an earlier page was, or (from the third page on) outside the chapter's part.
    bool enter(const QString &asked, const QString &found);

    // The page's images that were not collected before, now collected, in order.
    QStringList newImages(const QStringList &images);

    int pages() const { return m_pages; }
    QString chapterPart() const { return m_chapterPart; }

    // The chapter's part of the address: the common beginning of its first two pages' addresses;
    // when that ends inside a number ("/c/10" of "/c/101.html" and "/c/102.html") the number is
    // left out.
    static QString commonPart(const QString &first, const QString &second);

private:
    bool isInside(const QString &key) const;

    QSet<QString> m_fetched;
    QString m_firstPage;
    QString m_chapterPart;
    int m_pages = 0;
    QSet<QString> m_images;
};
