#pragma once

#include <QString>

class MessageBox;
class TaskBoard;

// A task folder keeps its image list as down.lst; loading it back makes a saved-list task, whose
// address is "列表" and whose title is the folder's name in Download.

QString savedListAddress();

// Where the load-list window starts: the Download folder of the app folder, found without case.
QString savedListStartFolder(const QString &appFolder);

// The title of the task for `chosenFolder`: its path with every "<currentFolder>/" taken out, which
// leaves a direct subfolder's own name.
QString savedListTitle(const QString &chosenFolder, const QString &currentFolder);

// Adds `chosenFolder` as a saved-list task ("列表已载入，等待启动", progress 0) when it holds a
// down.lst in any spelling; otherwise warns "请选择一个合法的文件夹!". True when a task was added.
bool addSavedListTask(const QString &chosenFolder, const QString &currentFolder, TaskBoard &board,
                      MessageBox &messages);
