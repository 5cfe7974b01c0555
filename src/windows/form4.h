#pragma once

#include <QWidget>

class FolderList;
class MessageBox;
class TaskBoard;

// The load-list window "单击选择：": a folder list that opens at Download/ each time the window is
// shown. A click on a folder that holds a down.lst adds it as a saved-list task and closes the
// window; any other folder gets a warning and the window stays.
class Form4 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form4)

public:
    Form4(const QString &appFolder, TaskBoard &board, MessageBox &messages, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void chooseFolder(const QString &folder);

    QString m_appFolder;
    TaskBoard &m_board;
    MessageBox &m_messages;
    FolderList *m_dir1;
};
