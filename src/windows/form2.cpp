#include "windows/form2.h"

#include "app/makerpages.h"
#include "app/programversion.h"
#include "app/updatecheck.h"
#include "controls/button/pexbutton.h"
#include "controls/common/uifonts.h"
#include "windows/bluebutton.h"
#include "windows/tavrinlogo.h"

#include <QLabel>

namespace {

constexpr int WindowWidth = 400;
constexpr int WindowHeight = 290;

QLabel *label(QWidget *parent, const QString &name, const QString &text, const QRect &place)
{
    auto *shown = new QLabel(text, parent);
    shown->setObjectName(name);
    shown->setGeometry(place);
    shown->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    shown->setWordWrap(true);
    return shown;
}

} // namespace

Form2::Form2(PageFetcher &fetcher, MessageBox &messages, ShellLauncher &launcher, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_updateCheck(std::make_unique<UpdateCheck>(
          fetcher, messages, launcher, downloadPageAddress(QProcessEnvironment::systemEnvironment()),
          versionText()))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("About & Thanks"));
    setFont(windowFont());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setFixedSize(WindowWidth, WindowHeight);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(tavrinLogo(64));
    logo->setGeometry(24, 24, 64, 64);

    auto *version = label(this, QStringLiteral("Label2"), QString(), QRect(104, 26, 272, 24));
    version->setFont(windowFont(12));
    version->setText(QStringLiteral("版本号 ") + versionText());
    label(this, QStringLiteral("Label3"),
          QStringLiteral("  新一代的网页漫画下载器！力求给用户带来更便捷的使用体验！"),
          QRect(104, 54, 272, 40));

    const QString thanks[] = {
        QStringLiteral("感谢 Qt 项目提供的跨平台界面框架。"),
        QStringLiteral("感谢 ICU 项目提供的字符集转换。"),
        QStringLiteral("感谢文泉驿项目提供的中文字体。"),
        QStringLiteral("感谢每一位提出建议、报告问题的用户。"),
    };
    for (int i = 0; i < 4; ++i)
        label(this, QStringLiteral("Label%1").arg(i + 4), thanks[i], QRect(24, 112 + 24 * i, 352, 20));

    const QFont buttonFont = windowFont(10.5);
    auto *help = makeBlueButton(this, QStringLiteral("pexbutton1"),
                                QStringLiteral("查看帮助/提出建议 一键入口"), buttonFont);
    help->setGeometry(24, 232, 216, 34);
    connect(help, &pexbutton::Click, this, [this] { m_updateCheck->openDownloadPage(); });
    auto *check = makeBlueButton(this, QStringLiteral("pexbutton2"), QStringLiteral("检查更新"), buttonFont);
    check->setGeometry(256, 232, 120, 34);
    connect(check, &pexbutton::Click, this, [this] { m_updateCheck->run(); });
}

Form2::~Form2() = default;
