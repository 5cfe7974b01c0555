#include "windows/folderlist.h"

#include "windows/folderentrydelegate.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QStyle>

namespace {

constexpr int FolderRole = Qt::UserRole;

// The folder and each of its ancestors, from the root down.
QStringList ancestry(const QString &folder)
{
    QStringList chain;
    QDir dir(folder);
    chain.prepend(dir.absolutePath());
    while (dir.cdUp())
        chain.prepend(dir.absolutePath());
    return chain;
}

QString entryName(const QString &folder)
{
    const QString name = QDir(folder).dirName();
    return QDir(folder).isRoot() || name.isEmpty() ? folder : name;
}

} // namespace

FolderList::FolderList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new FolderEntryDelegate(this));
    m_clickTimer.setSingleShot(true);
    connect(&m_clickTimer, &QTimer::timeout, this, &FolderList::reportClick);
}

void FolderList::setPath(const QString &path)
{
    m_clickTimer.stop();
    m_path = QDir::cleanPath(QDir(path).absolutePath());
    clear();
    const QStringList chain = ancestry(m_path);
    for (int depth = 0; depth < chain.size(); ++depth)
        addEntry(chain.at(depth), entryName(chain.at(depth)), depth, true);
    const QDir current(m_path);
    const QStringList subfolders = current.entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                     QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString &name : subfolders)
        addEntry(current.filePath(name), name, int(chain.size()), false);
    if (QListWidgetItem *current = entryFor(m_path)) {
        QFont bold = font();
        bold.setBold(true);
        current->setFont(bold);
        setCurrentItem(current, QItemSelectionModel::NoUpdate);
    }
    Q_EMIT pathChanged(m_path);
}

QString FolderList::pathOf(const QListWidgetItem *item)
{
    return item ? item->data(FolderRole).toString() : QString();
}

QListWidgetItem *FolderList::entryFor(const QString &folder) const
{
    for (int row = 0; row < count(); ++row) {
        if (pathOf(item(row)) == folder)
            return item(row);
    }
    return nullptr;
}

void FolderList::addEntry(const QString &folder, const QString &name, int depth, bool open)
{
    auto *entry = new QListWidgetItem(
        style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon), name, this);
    entry->setData(FolderRole, folder);
    entry->setData(FolderEntryDelegate::DepthRole, depth);
    entry->setToolTip(folder);
}

void FolderList::mousePressEvent(QMouseEvent *event)
{
    // Every press starts afresh; only a double click that follows marks its release.
    m_inDoubleClick = false;
    QListWidget::mousePressEvent(event);
}

void FolderList::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    if (m_inDoubleClick) {
        m_inDoubleClick = false;
        return;
    }
    QListWidgetItem *entry = itemAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !entry)
        return;
    m_clickedFolder = pathOf(entry);
    m_clickTimer.start(QApplication::doubleClickInterval());
}

void FolderList::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_clickTimer.stop();
    QListWidgetItem *entry = itemAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !entry)
        return;
    m_inDoubleClick = true;
    setPath(pathOf(entry));
}

void FolderList::reportClick()
{
    Q_EMIT entryClicked(m_clickedFolder);
}
