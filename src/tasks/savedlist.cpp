#include "tasks/savedlist.h"

#include "app/optionfile.h"
#include "app/taskboard.h"
#include "platform/messagebox.h"
#include "tasks/listfile.h"

QString savedListAddress()
{
    return QStringLiteral("列表");
}

QString savedListStartFolder(const QString &appFolder)
{
    return downloadFolder(appFolder);
}

QString savedListTitle(const QString &chosenFolder, const QString &currentFolder)
{
    return QString(chosenFolder).remove(currentFolder + QStringLiteral("/"));
}

bool addSavedListTask(const QString &chosenFolder, const QString &currentFolder, TaskBoard &board,
                      MessageBox &messages)
{
    if (chosenFolder.isEmpty() || findListFile(chosenFolder).isEmpty()) {
        messages.show(QStringLiteral("请选择一个合法的文件夹!"), applicationTitle(), MessageBox::Buttons::Ok,
                      MessageBox::Icon::Warning);
        return false;
    }
    qint16 index = 0;
    if (!board.Add(savedListTitle(chosenFolder, currentFolder), savedListAddress(), index))
        return false;
    board.Cpro(index, 0);
    board.ChangeState(index, QStringLiteral("列表已载入，等待启动"));
    return true;
}
