#include "windows/form4.h"

#include "controls/common/uifonts.h"
#include "tasks/savedlist.h"
#include "windows/folderlist.h"

#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int WindowWidth = 300;
constexpr int WindowHeight = 340;

} // namespace

Form4::Form4(const QString &appFolder, TaskBoard &board, MessageBox &messages, QWidget *parent)
    : QWidget(parent, Qt::Window), m_appFolder(appFolder), m_board(board), m_messages(messages),
      m_dir1(new FolderList(this))
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("单击选择："));
    setFont(windowFont());
    resize(WindowWidth, WindowHeight);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_dir1);
    connect(m_dir1, &FolderList::entryClicked, this, &Form4::chooseFolder);
}

void Form4::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Every opening starts again at the Download folder (a restore from minimised does not).
    if (!event->spontaneous())
        m_dir1->setPath(savedListStartFolder(m_appFolder));
}

void Form4::chooseFolder(const QString &folder)
{
    if (addSavedListTask(folder, m_dir1->path(), m_board, m_messages))
        close();
}
