#pragma once

#include "app/modefilelist.h"

#include <QListWidget>

// A file list: the files of one folder that match a pattern (without regard to case), by name,
// shown with their extensions; one entry can be selected. It reads the folder when pointed at it
// and when refreshed.
class FileList final : public QListWidget, public ModeFileList
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileList)

public:
    explicit FileList(QWidget *parent = nullptr);

    void setPattern(const QString &pattern);
    void setFolder(const QString &folder);
    QString folder() const override { return m_folder; }
    QString selectedEntry() const override;
    void refresh() override;
    // Selects the entry with that name; false when there is none.
    bool selectEntry(const QString &name);

private:
    QString m_folder;
    QString m_pattern = QStringLiteral("*.*");
};
