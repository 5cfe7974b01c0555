#include "windows/form3.h"

#include "app/mode.h"
#include "app/modefile.h"
#include "app/settings.h"
#include "app/settingsactions.h"
#include "controls/button/pexbutton.h"
#include "controls/common/uifonts.h"
#include "platform/twips.h"
#include "windows/bluebutton.h"
#include "windows/captionframe.h"
#include "windows/filelist.h"
#include "windows/optioncheckbox.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>

namespace {

constexpr int ClientWidth = 7425;
// Two rows more than designed, below everything else: the proxy box and the reader's switches.
constexpr int ClientHeight = 8220;

// Places a child at its designed place, given in twips inside its container.
template <typename W> W *place(W *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
    return widget;
}

QLabel *label(QWidget *parent, const QString &text, int left, int top, int width, int height)
{
    auto *shown = place(new QLabel(text, parent), left, top, width, height);
    shown->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    shown->setWordWrap(height > 300);
    return shown;
}

template <typename W> W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

void setTextIfChanged(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

Qt::CheckState checkStateOf(int autoOpen)
{
    switch (autoOpen) {
    case 1:
        return Qt::Checked;
    case 2:
        return Qt::PartiallyChecked;
    default:
        return Qt::Unchecked;
    }
}

int autoOpenOf(int checkState)
{
    switch (checkState) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

} // namespace

Form3::Form3(const QString &appFolder, Settings &settings, Mode &mode, MessageBox &messages, InputBox &input,
             ShellLauncher &launcher, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_settings(settings), m_mode(mode)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("设置"));
    setFont(windowFont());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    resize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));

    buildBasicFrame();
    buildModeFrame();
    m_actions =
        std::make_unique<SettingsActions>(appFolder, settings, mode, *m_file1, messages, input, launcher);
    buildButtonsAndFooter();
    buildProxyRow();
    buildReaderRow();
    m_file1->setPattern(QStringLiteral("*.tdm"));
    m_file1->setFolder(modeFolder(appFolder));
    bindFields();
}

Form3::~Form3() = default;

void Form3::buildBasicFrame()
{
    auto *basic = place(new CaptionFrame(QStringLiteral("基本"), this), 120, 120, 7215, 855);
    named(label(basic, QStringLiteral("连接重试次数"), 240, 360, 2055, 255), QStringLiteral("Label1"));
    m_rec = named(place(new QLineEdit(basic), 1440, 330, 615, 315), QStringLiteral("Rec"));
    named(label(basic, QStringLiteral("次"), 2160, 360, 855, 255), QStringLiteral("Label2"));
    m_ds = named(
        place(new OptionCheckBox(QStringLiteral("下载完成后打开文件目录"), basic), 3600, 380, 3135, 255),
        QStringLiteral("DS"));
}

void Form3::buildModeFrame()
{
    auto *modes = place(new CaptionFrame(QStringLiteral("模式"), this), 120, 1080, 7215, 5655);
    named(label(modes, QStringLiteral("过滤的关键字（图片）请用半角逗号或逗号分隔"), 120, 240, 4335, 255),
          QStringLiteral("Label3"));
    // 45 twips lower than designed, so the box no longer covers the top of the label below it.
    m_bi = named(place(new QLineEdit(modes), 120, 480, 6975, 360), QStringLiteral("BI"));
    named(label(modes, QStringLiteral("过滤的关键字（地址）请用半角逗号或逗号分隔"), 120, 840, 4335, 255),
          QStringLiteral("Label4"));
    m_bu = named(place(new QLineEdit(modes), 120, 1065, 6975, 405), QStringLiteral("Bu"));
    // Shown as designed; nothing reads or stores it.
    named(place(new QCheckBox(QStringLiteral("具有规律性的URL(智能判别)"), modes), 120, 1560, 3255, 255),
          QStringLiteral("Check2"));
    named(label(modes, QStringLiteral("优先寻找包含下列关键字的img标签并且："), 120, 1920, 4335, 255),
          QStringLiteral("Label5"));
    m_skw = named(place(new QLineEdit(modes), 120, 2160, 3495, 495), QStringLiteral("SKW"));
    m_option3 = named(
        place(new QRadioButton(QStringLiteral("只挖掘包含此关键字的img标签"), modes), 3720, 2160, 3375, 255),
        QStringLiteral("Option3"));
    m_option4 = named(
        place(new QRadioButton(QStringLiteral("排除包含此关键字的img标签"), modes), 3720, 2520, 3375, 255),
        QStringLiteral("Option4"));
    auto *keywordUse = new QButtonGroup(this);
    keywordUse->addButton(m_option3);
    keywordUse->addButton(m_option4);

    auto *operations = place(new CaptionFrame(QStringLiteral("模式操作"), modes), 120, 2760, 3735, 2775);
    m_file1 = named(place(new FileList(operations), 1560, 240, 2055, 2325), QStringLiteral("File1"));

    auto *downloads = place(new CaptionFrame(QStringLiteral("下载模式"), modes), 3960, 2760, 3015, 2775);
    m_option1 =
        named(place(new QRadioButton(QStringLiteral("只得出图片列表并保存"), downloads), 120, 360, 2175, 255),
              QStringLiteral("Option1"));
    named(label(downloads, QStringLiteral("（推荐，保存后再使用高质量的下载软件下载）"), 120, 720, 2775, 495),
          QStringLiteral("Label6"));
    m_option2 =
        named(place(new QRadioButton(QStringLiteral("得出图片列表并下载"), downloads), 120, 1200, 2175, 255),
              QStringLiteral("Option2"));
    named(label(downloads, QStringLiteral("（不推荐，本软件自带下载器使用体验并不愉快）"), 120, 1560, 2775,
                495),
          QStringLiteral("Label7"));
    auto *downloadUse = new QButtonGroup(this);
    downloadUse->addButton(m_option1);
    downloadUse->addButton(m_option2);
}

void Form3::buildButtonsAndFooter()
{
    auto *operations = m_file1->parentWidget();
    const QFont font = windowFont();
    const struct
    {
        const char *name;
        QString caption;
        int top;
        void (SettingsActions::*action)();
    } modeButtons[] = {
        {"pexbutton2", QStringLiteral("载入"), 360, &SettingsActions::loadSelectedMode},
        {"pexbutton3", QStringLiteral("更新"), 840, &SettingsActions::updateMode},
        {"pexbutton4", QStringLiteral("另存为"), 1320, &SettingsActions::saveModeAs},
        {"pexbutton5", QStringLiteral("删除"), 1800, &SettingsActions::deleteSelectedMode},
    };
    for (const auto &planned : modeButtons) {
        auto *button = makeBlueButton(operations, QString::fromLatin1(planned.name), planned.caption, font);
        button->setTwipsGeometry(120, planned.top, 1335, 375);
        connect(button, &pexbutton::Click, this,
                [this, action = planned.action] { (m_actions.get()->*action)(); });
    }
    auto *refresh = makeBlueButton(operations, QStringLiteral("pexbutton7"), QStringLiteral("刷新"), font);
    refresh->setTwipsGeometry(120, 2280, 1335, 375);
    connect(refresh, &pexbutton::Click, m_file1, &FileList::refresh);

    auto *line = named(new QFrame(this), QStringLiteral("Line1"));
    // Designed to run to 7560, past the window's edge, which cuts it there anyway.
    line->setGeometry(twipsToPixels(120), twipsToPixels(6840), twipsToPixels(ClientWidth - 120), 1);
    line->setAutoFillBackground(true);
    QPalette grey = line->palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    line->setPalette(grey);

    named(label(this, QStringLiteral("当前使用的模式文件:"), 120, 7080, 1935, 255), QStringLiteral("Label8"));
    m_nm = named(label(this, QString(), 1920, 7080, 2535, 255), QStringLiteral("NM"));

    auto *modesPage = makeBlueButton(this, QStringLiteral("pexbutton6"), QStringLiteral("下载模式"), font);
    modesPage->setTwipsGeometry(4440, 6960, 1335, 375);
    connect(modesPage, &pexbutton::Click, this, [this] { m_actions->openModesPage(); });
    auto *save = makeBlueButton(this, QStringLiteral("pexbutton1"), QStringLiteral("保存设置"), font);
    save->setTwipsGeometry(5880, 6960, 1455, 375);
    connect(save, &pexbutton::Click, this, [this] {
        if (m_actions->saveSettings())
            hide();
    });
}

void Form3::buildProxyRow()
{
    named(label(this, QStringLiteral("代理:"), 120, 7500, 615, 255), QStringLiteral("Label10"));
    m_proxy = named(place(new QLineEdit(this), 720, 7455, 6615, 315), QStringLiteral("Proxy"));
    m_proxy->setPlaceholderText(QStringLiteral("留空：使用环境变量中的代理；direct：不用代理"));
}

// The switches of the reading for today's reader sites; off in every mode that does not name them.
void Form3::buildReaderRow()
{
    m_readerPage = named(place(new QCheckBox(QStringLiteral("阅读器页面"), this), 120, 7860, 1935, 255),
                         QStringLiteral("ReaderPage"));
    m_scriptImg = named(place(new QCheckBox(QStringLiteral("脚本中的图片"), this), 2160, 7860, 2175, 255),
                        QStringLiteral("ScriptImg"));
    m_chapterEnd = named(place(new QCheckBox(QStringLiteral("章节结束即停止"), this), 4440, 7860, 2655, 255),
                         QStringLiteral("ChapterEnd"));
}

void Form3::bindFields()
{
    showSettings();
    showMode();
    connect(&m_settings, &Settings::changed, this, &Form3::showSettings);
    connect(&m_mode, &Mode::changed, this, &Form3::showMode);

    // The retry count in use stays the one read at start-up; only its text is edited.
    connect(m_rec, &QLineEdit::textEdited, &m_settings, &Settings::setResetText);
    connect(m_proxy, &QLineEdit::textEdited, &m_settings, &Settings::setProxy);
    connect(m_ds, &QCheckBox::stateChanged, this,
            [this](int state) { m_settings.setAutoOpen(autoOpenOf(state)); });
    connect(m_bi, &QLineEdit::textEdited, &m_mode, &Mode::setBlockImg);
    connect(m_bu, &QLineEdit::textEdited, &m_mode, &Mode::setBlockUrl);
    connect(m_skw, &QLineEdit::textEdited, &m_mode, &Mode::setSearchKW);
    connect(m_option4, &QRadioButton::toggled, &m_mode, &Mode::setKWUsing);
    connect(m_option2, &QRadioButton::toggled, &m_mode, &Mode::setDownMode);
    connect(m_readerPage, &QCheckBox::toggled, &m_mode, &Mode::setReaderPage);
    connect(m_scriptImg, &QCheckBox::toggled, &m_mode, &Mode::setScriptImg);
    connect(m_chapterEnd, &QCheckBox::toggled, &m_mode, &Mode::setChapterEnd);
}

void Form3::showSettings()
{
    setTextIfChanged(m_rec, m_settings.resetText());
    m_ds->setCheckState(checkStateOf(m_settings.autoOpen()));
    setTextIfChanged(m_proxy, m_settings.proxy());
}

void Form3::showMode()
{
    setTextIfChanged(m_bi, m_mode.blockImg());
    setTextIfChanged(m_bu, m_mode.blockUrl());
    setTextIfChanged(m_skw, m_mode.searchKW());
    (m_mode.kwUsing() ? m_option4 : m_option3)->setChecked(true);
    (m_mode.downMode() ? m_option2 : m_option1)->setChecked(true);
    m_readerPage->setChecked(m_mode.readerPage());
    m_scriptImg->setChecked(m_mode.scriptImg());
    m_chapterEnd->setChecked(m_mode.chapterEnd());
    m_nm->setText(m_mode.name().isEmpty() ? QStringLiteral("Label9") : m_mode.name());
}

void Form3::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    if (const QScreen *shown = screen())
        move(shown->availableGeometry().center() - rect().center());
}
