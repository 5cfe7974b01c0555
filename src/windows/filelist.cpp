#include "windows/filelist.h"

#include <QDir>

FileList::FileList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileList::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    refresh();
}

void FileList::setFolder(const QString &folder)
{
    m_folder = folder;
    refresh();
}

QString FileList::selectedEntry() const
{
    const QList<QListWidgetItem *> chosen = selectedItems();
    return chosen.isEmpty() ? QString() : chosen.first()->text();
}

void FileList::refresh()
{
    clear();
    if (m_folder.isEmpty())
        return;
    // Without QDir::CaseSensitive the pattern matches in any case, as on the file systems the
    // mode files come from.
    addItems(QDir(m_folder).entryList({m_pattern}, QDir::Files,
                                      QDir::Name | QDir::IgnoreCase | QDir::LocaleAware));
}

bool FileList::selectEntry(const QString &name)
{
    const QList<QListWidgetItem *> found = findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    setCurrentItem(found.first());
    return true;
}
