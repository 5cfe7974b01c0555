#include "app/updatepage.h"

#include <optional>

namespace {

const QString VersionMarker = QStringLiteral("Tavrin漫画下载器现已更新到版本");
const QString VersionEnd = QStringLiteral("</h1>");
const QString NotesMarker = QStringLiteral("更新内容：</p>");
const QString NotesEnd = QStringLiteral("<hr />");
const QString CentredParagraph = QStringLiteral("<p style=\"text-align: center;\">");

// The text from `start` up to the first `end` at or after it; nullopt when there is none.
std::optional<QString> textUpTo(const QString &page, qsizetype start, const QString &end)
{
    if (start > page.size())
        return std::nullopt;
    const qsizetype stop = page.indexOf(end, start);
    if (stop < 0)
        return std::nullopt;
    return page.mid(start, stop - start);
}

} // namespace

UpdatePage readUpdatePage(const QString &page, const QString &runningVersion)
{
    const qsizetype marker = page.indexOf(VersionMarker);
    if (marker < 0)
        return {};
    // The character right after the marker separates it from the version and is never part of it.
    const auto version = textUpTo(page, marker + VersionMarker.size() + 1, VersionEnd);
    if (!version)
        return {};
    if (*version == runningVersion)
        return {UpdatePage::Verdict::Current, *version, {}};

    const qsizetype notesMarker = page.indexOf(NotesMarker);
    if (notesMarker < 0)
        return {};
    auto notes = textUpTo(page, notesMarker + NotesMarker.size(), NotesEnd);
    if (!notes)
        return {};
    notes->remove(CentredParagraph).remove(QStringLiteral("</p>")).remove(QStringLiteral("<p>"));
    return {UpdatePage::Verdict::Update, *version, *notes};
}
