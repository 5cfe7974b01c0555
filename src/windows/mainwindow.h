#pragma once

#include <functional>
#include <memory>
#include <QWidget>

class Form2;
class Form3;
class Form4;
class ImageDownloader;
class QtInputBox;
class QtMessageBox;
class InputBox;
class InputLock;
class MessageBox;
class Mode;
class NewTaskPanel;
class PageFetcher;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class Settings;
class ShellLauncher;
class StatusLabel;
class StatusLine;
class TaskBoard;
class ZanvoList;
class pexbutton;
struct RunFlags;
struct TaskCore;
class GuardedTaskBoard;

// The main window: the task list, the task buttons, the new-task panel and the status line. It
// places the controls and forwards their events to the task side; the rules live there.
class MainWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    // Makes the downloader once the window's list and status line exist: it reports on them.
    using DownloaderFactory = std::function<std::unique_ptr<ImageDownloader>(TaskBoard &, StatusLine &)>;

    struct Services
    {
        QString appFolder;
        Settings &settings;
        Mode &mode;
        RunFlags &flags;
        PageFetcher &fetcher;
        MessageBox &messages;
        InputBox &inputBox;
        ShellLauncher &launcher;
        DownloaderFactory makeDownloader;
    };

    explicit MainWindow(const Services &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    TaskCore &core() const { return *m_core; }
    TaskBoard &board() const;
    ZanvoList &taskList() const { return *m_list; }
    NewTaskPanel &newTaskPanel() const { return *m_downs; }
    StatusLabel &statusLabel() const { return *m_label2; }
    QPlainTextEdit &listBox() const { return *m_text1; }
    QCheckBox &shutdownBox() const { return *m_das; }
    InputLock &inputLock() const { return *m_lock; }
    // Where the clipboard's text comes from (the system clipboard unless a test says otherwise).
    std::function<QString()> clipboardText;
    // Runs on Yes to the exit question (the application quits unless a test says otherwise).
    std::function<void()> quitProgram;

    // The buttons' work, callable as the buttons call it.
    void openNewTaskPanel();
    void addTask();
    void cancelNewTask();
    void pickUpClipboard();
    void exitProgram();
    void showSettings();
    void showAbout();
    void showLoadList();

    // The other windows: settings made at start, about and load-list on first use.
    Form3 &settingsWindow() const { return *m_form3; }
    Form2 *aboutWindow() const { return m_form2.get(); }
    Form4 *loadListWindow() const { return m_form4.get(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void placeControls();
    void connectControls();
    void moveWindowFromTitleStrip();

    Services m_services;
    ZanvoList *m_list;
    NewTaskPanel *m_downs;
    StatusLabel *m_label2;
    QPlainTextEdit *m_text1;
    QCheckBox *m_das;
    QLabel *m_label5;
    pexbutton *m_minimise;
    pexbutton *m_exit;
    pexbutton *m_command1;
    pexbutton *m_command2;
    pexbutton *m_command4;
    pexbutton *m_delete;
    pexbutton *m_command3;
    pexbutton *m_help;
    std::unique_ptr<InputLock> m_lock;
    std::unique_ptr<GuardedTaskBoard> m_board;
    std::unique_ptr<ImageDownloader> m_downloader;
    std::unique_ptr<TaskCore> m_core;
    std::unique_ptr<QtMessageBox> m_form3Messages;
    std::unique_ptr<QtInputBox> m_form3Input;
    std::unique_ptr<Form3> m_form3;
    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<Form4> m_form4;
    bool m_exiting = false;
};
