#include "windows/mainwindow.h"

#include "controls/button/pexbutton.h"
#include "controls/common/uifonts.h"
#include "controls/tasklist/zanvolist.h"
#include "tasks/guardedtaskboard.h"
#include "tasks/imagedownloader.h"
#include "tasks/newtaskaddress.h"
#include "tasks/taskcore.h"
#include "windows/backgrounds.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/form4.h"
#include "windows/inputlock.h"
#include "windows/mainwindowbuttons.h"
#include "windows/newtaskpanel.h"
#include "windows/qtinputbox.h"
#include "windows/qtmessagebox.h"
#include "windows/statuslabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QWindow>

namespace {

// A label that starts the window system's move while the left button is held on it.
class TitleStrip final : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && window()->windowHandle())
            window()->windowHandle()->startSystemMove();
    }
};

} // namespace

MainWindow::MainWindow(const Services &services, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint), m_services(services), m_list(new ZanvoList(this)),
      m_downs(new NewTaskPanel(this)), m_label2(new StatusLabel(this)), m_text1(new QPlainTextEdit(this)),
      m_das(new QCheckBox(QStringLiteral("任务完成后关闭计算机"), this)), m_label5(new TitleStrip(this)),
      m_minimise(makeTitleButton(this, QStringLiteral("pexbutton7"), QStringLiteral("-"), 312, 0, 73, 32)),
      m_exit(makeTitleButton(this, QStringLiteral("pexbutton6"), QStringLiteral("x"), 384, 0, 77, 32)),
      m_command1(makeTaskButton(this, QStringLiteral("Command1"), QStringLiteral("+ 添加任务"), 24, 448, 105, 25)),
      m_command2(makeTaskButton(this, QStringLiteral("Command2"), QStringLiteral("√ 启动任务"), 168, 448, 113, 25)),
      m_command4(
          makeTaskButton(this, QStringLiteral("Command4"), QStringLiteral("|｜暂停/继续任务"), 320, 448, 113, 25)),
      m_delete(makeTaskButton(this, QStringLiteral("pexbutton3"), QStringLiteral("× 删除任务"), 24, 496, 105, 25)),
      m_command3(makeTaskButton(this, QStringLiteral("Command3"), QStringLiteral("□ 下载设置"), 168, 496, 113, 25)),
      m_help(makeTaskButton(this, QStringLiteral("pexbutton4"), QStringLiteral("? 帮助"), 320, 496, 113, 25)),
      m_lock(std::make_unique<InputLock>(this)), m_board(std::make_unique<GuardedTaskBoard>(*m_list)),
      m_downloader(services.makeDownloader(*m_board, *m_label2)),
      m_core(std::make_unique<TaskCore>(TaskCore::Services{services.appFolder, services.fetcher, *m_board, *m_label2,
                                                           services.inputBox, services.messages, services.launcher,
                                                           *m_lock, *m_downloader, services.settings, services.mode,
                                                           services.flags})),
      m_form3Messages(std::make_unique<QtMessageBox>()), m_form3Input(std::make_unique<QtInputBox>()),
      m_form3(std::make_unique<Form3>(services.appFolder, services.settings, services.mode, *m_form3Messages,
                                      *m_form3Input, services.launcher, this))
{
    // The settings window's questions open over it.
    m_form3Messages->setParent(m_form3.get());
    m_form3Input->setParent(m_form3.get());
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tavrin下载器"));
    setFixedSize(461, 562);
    clipboardText = [] { return QGuiApplication::clipboard()->text(); };
    quitProgram = [] { QCoreApplication::exit(0); };
    placeControls();
    connectControls();
}

MainWindow::~MainWindow()
{
    // The windows that add tasks go before the list; the downloader may still hold a transfer
    // that reports to the list: it goes before the list too.
    m_form4.reset();
    m_form2.reset();
    m_form3.reset();
    m_core.reset();
    m_downloader.reset();
}

TaskBoard &MainWindow::board() const
{
    return *m_board;
}

void MainWindow::placeControls()
{
    m_label5->setObjectName(QStringLiteral("Label5"));
    m_label5->setGeometry(0, 0, 313, 33);
    m_list->setObjectName(QStringLiteral("ZanvoList1"));
    m_list->setGeometry(0, 40, 460, 384);
    m_downs->setGeometry(48, 144, 369, 170);
    m_downs->hide();
    m_downs->raise();
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->move(8, 536);
    m_label2->setText(QStringLiteral("就绪"));
    m_das->setObjectName(QStringLiteral("das"));
    m_das->setFont(windowFont());
    m_das->setGeometry(304, 536, 157, 17);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setGeometry(16, 600, 681, 145);
    m_text1->setReadOnly(true);
}

void MainWindow::connectControls()
{
    TaskActions &actions = m_core->actions;
    connect(m_list, &ZanvoList::taskClicked, this, [&actions](qint16 index) { actions.select(index); });
    connect(m_command1, &pexbutton::Click, this, &MainWindow::openNewTaskPanel);
    connect(m_command2, &pexbutton::Click, this, [&actions] { actions.startSelected(); });
    connect(m_command4, &pexbutton::Click, this, [&actions] { actions.togglePause(); });
    connect(m_delete, &pexbutton::Click, this, [&actions] { actions.deleteSelected(); });
    connect(m_das, &QCheckBox::toggled, this, [&actions](bool checked) { actions.setShutdownWhenDone(checked); });
    connect(m_minimise, &pexbutton::Click, this, &QWidget::showMinimized);
    connect(m_exit, &pexbutton::Click, this, &MainWindow::exitProgram);
    connect(m_downs, &NewTaskPanel::addClicked, this, &MainWindow::addTask);
    connect(m_downs, &NewTaskPanel::cancelClicked, this, &MainWindow::cancelNewTask);
    connect(m_downs, &NewTaskPanel::openListClicked, this, &MainWindow::showLoadList);
    connect(m_command3, &pexbutton::Click, this, &MainWindow::showSettings);
    connect(m_help, &pexbutton::Click, this, &MainWindow::showAbout);
    m_core->start.onListText = [this](const QString &text) { m_text1->setPlainText(text); };
}

void MainWindow::openNewTaskPanel()
{
    m_downs->show();
    pickUpClipboard();
}

void MainWindow::pickUpClipboard()
{
    const std::optional<QString> picked = clipboardPickUp(clipboardText(), m_downs->address());
    if (!picked)
        return;
    m_downs->setAddress(*picked);
    m_downs->selectAddress();
}

void MainWindow::addTask()
{
    QString address = m_downs->address();
    // The box shows the completed address even when the window goes away meanwhile.
    const QPointer<NewTaskPanel> panel = m_downs;
    m_core->creation.create(address);
    if (!panel)
        return;
    panel->setAddress(address);
    panel->hide();
}

void MainWindow::cancelNewTask()
{
    m_downs->setAddress(defaultTaskAddress());
    m_downs->hide();
}

void MainWindow::showSettings()
{
    m_form3->show();
    m_form3->raise();
}

void MainWindow::showAbout()
{
    if (!m_form2)
        m_form2 = std::make_unique<Form2>(m_services.fetcher, m_services.messages, m_services.launcher, this);
    m_form2->show();
    m_form2->raise();
}

void MainWindow::showLoadList()
{
    if (!m_form4)
        m_form4 = std::make_unique<Form4>(m_services.appFolder, *m_board, m_services.messages, this);
    m_form4->show();
    m_form4->raise();
    m_downs->hide();
}

void MainWindow::exitProgram()
{
    if (!m_core->actions.confirmExit())
        return;
    m_exiting = true;
    quitProgram();
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintMainWindowBackground(painter, size());
    painter.fillRect(0, 424, 461, 138, QColor(192, 192, 192));
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        pickUpClipboard();
    QWidget::changeEvent(event);
}

// The desktop's own close (a task bar's menu) asks the same question as the exit button.
void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_exiting) {
        event->accept();
        return;
    }
    event->ignore();
    exitProgram();
}
