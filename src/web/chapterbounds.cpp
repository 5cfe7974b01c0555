#include "web/chapterbounds.h"

#include "web/readeraddress.h"

bool ChapterBounds::hasFetched(const QString &address) const
{
    return m_fetched.contains(addressKey(address));
}

bool ChapterBounds::enter(const QString &asked, const QString &found)
{
    const QString key = addressKey(found);
    if (m_fetched.contains(key) || (m_pages >= 2 && !isInside(key)))
        return false;
    m_fetched.insert(key);
    m_fetched.insert(addressKey(asked));
    ++m_pages;
    if (m_pages == 1)
        m_firstPage = key;
    else if (m_pages == 2)
        m_chapterPart = commonPart(m_firstPage, key);
    return true;
}

QStringList ChapterBounds::newImages(const QStringList &images)
{
    QStringList fresh;
    for (const QString &image : images) {
        if (m_images.contains(image))
            continue;
        m_images.insert(image);
        fresh.append(image);
    }
    return fresh;
}

// A part that ends in a digit only holds addresses whose number ends there too: "/c/1" does not
// hold "/c/12".
bool ChapterBounds::isInside(const QString &key) const
{
    if (!key.startsWith(m_chapterPart))
        return false;
    return m_chapterPart.isEmpty() || !m_chapterPart.back().isDigit() || key.size() == m_chapterPart.size() ||
           !key.at(m_chapterPart.size()).isDigit();
}

QString ChapterBounds::commonPart(const QString &first, const QString &second)
{
    qsizetype length = 0;
    while (length < first.size() && length < second.size() && first.at(length) == second.at(length))
        ++length;
    const auto digitAt = [length](const QString &text) { return length < text.size() && text.at(length).isDigit(); };
    if (digitAt(first) || digitAt(second)) {
        while (length > 0 && first.at(length - 1).isDigit())
            --length;
    }
    return first.left(length);
}
