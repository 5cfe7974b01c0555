#pragma once

#include <QListWidget>
#include <QTimer>

// A folder list: the current folder's path from the root down, then the current folder's
// subfolders. A single click selects an entry and reports it; a double click makes that folder the
// current one and reports no click. The click is reported once the double-click time has passed
// without a second click, so entering a folder never also acts on it.
class FolderList final : public QListWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderList)

public:
    explicit FolderList(QWidget *parent = nullptr);

    // The current folder.
    QString path() const { return m_path; }
    void setPath(const QString &path);
    // The full path of an entry.
    static QString pathOf(const QListWidgetItem *item);
    // The entry that shows `folder`, or null.
    QListWidgetItem *entryFor(const QString &folder) const;

Q_SIGNALS:
    void entryClicked(const QString &folder);
    void pathChanged(const QString &path);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void addEntry(const QString &folder, const QString &name, int depth, bool open);
    void reportClick();

    QString m_path;
    QString m_clickedFolder;
    QTimer m_clickTimer;
    bool m_inDoubleClick = false; // the release that ends a double click is not a click
};
