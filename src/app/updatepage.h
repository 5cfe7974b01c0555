#pragma once

#include <QString>

// What the maker's download page says about the newest version, compared with the running one.
struct UpdatePage
{
    enum class Verdict
    {
        Unreadable, // empty, or a marker the check relies on is missing
        Current,    // the published version is exactly the running version's text
        Update,     // any other published version, with its notes
    };

    Verdict verdict = Verdict::Unreadable;
    QString version;
    QString notes;
};

// Reads the published version after "Tavrin漫画下载器现已更新到版本" and one skipped separator, up
// to "</h1>"; for an update, the notes between "更新内容：</p>" and "<hr />", with the centred
// paragraph tag, "</p>" and "<p>" taken out and all other markup left as it is.
UpdatePage readUpdatePage(const QString &page, const QString &runningVersion);
