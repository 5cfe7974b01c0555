// A sheet of every button style in every look: at rest, under the pointer, held down, disabled,
// checked, and focused at rest in an active window; plus style 16 on a patterned container to show
// its transparent face. The looks a button reaches by its properties (at rest, disabled, checked,
// transparent) are live pexbutton instances; the looks that need the pointer or the focus are drawn
// straight through the style hook onto an image and shown with the button's window shape.
//
//   buttonsheet                 shows the sheet
//   buttonsheet --save FILE     saves the sheet as a PNG and ends
//   buttonsheet --size WxH      draws every button W x H pixels (default 96x28)

#include "controls/button/buttondrawing.h"
#include "controls/button/pexbutton.h"
#include "controls/button/styles/buttonstyles.h"
#include "controls/button/updateregion.h"
#include "controls/common/colorvalue.h"

#include <array>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace {

// The size of every button on the sheet; --size WxH changes it.
int ButtonWidth = 96;
int ButtonHeight = 28;
constexpr quint32 SheetColour = rgbValue(236, 233, 216);

struct StyleDefaults
{
    const char *name;
    quint32 backColor;
    quint32 foreColor;
};

// The colours a button of each style gets when its style is chosen.
const std::array<StyleDefaults, 17> Styles{{
    {"0 Classic3D", SystemColor::ButtonFace, SystemColor::ButtonText},
    {"1 Soft3D", SystemColor::ButtonFace, SystemColor::ButtonText},
    {"2 RoundedBlue", rgbValue(236, 235, 231), SystemColor::ButtonText},
    {"3 RoundedPlain", SystemColor::ButtonFace, SystemColor::ButtonText},
    {"4 Glass", rgbValue(227, 227, 227), SystemColor::ButtonText},
    {"5 Shadowed", rgbValue(0, 109, 170), rgbValue(255, 255, 255)},
    {"6 Glossy", rgbValue(213, 214, 225), SystemColor::ButtonText},
    {"7 WarmHighlight", rgbValue(173, 209, 255), SystemColor::ButtonText},
    {"8 ToolbarLight", SystemColor::ButtonFace, SystemColor::ButtonText},
    {"9 ToolbarFlat", SystemColor::ButtonFace, SystemColor::ButtonText},
    {"10 RoundedSoft", rgbValue(173, 209, 255), SystemColor::ButtonText},
    {"11 FlatRaised", SystemColor::ButtonFace, SystemColor::ButtonText},
    {"12 FlatThin", SystemColor::ButtonFace, SystemColor::ButtonText},
    {"13 WarmFrame", rgbValue(202, 225, 252), SystemColor::ButtonText},
    {"14 Skinned", rgbValue(208, 208, 208), SystemColor::ButtonText},
    {"15 Gradient", rgbValue(167, 202, 230), SystemColor::ButtonText},
    {"16 ImageOnly", rgbValue(173, 209, 255), SystemColor::ButtonText},
}};

enum class Look
{
    Normal,
    Hover,
    Pressed,
    Disabled,
    Checked,
    Focused,
};

constexpr std::array<Look, 6> Looks{Look::Normal,   Look::Hover,   Look::Pressed,
                                    Look::Disabled, Look::Checked, Look::Focused};
constexpr std::array<const char *, 6> LookNames{"normal",   "hover",   "pressed",
                                                "disabled", "checked", "focused"};

QColor colourOf(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The input the button would gather for this look; a checked button arrives pressed except for
// the styles that draw their own checked look.
ButtonStyleInput inputFor(int style, Look look)
{
    ButtonStyleInput input;
    input.buttonStyle = style;
    input.backColor = TranslateColor(Styles[std::size_t(style)].backColor);
    input.foreColor = TranslateColor(Styles[std::size_t(style)].foreColor);
    input.containerBackColor = int(SheetColour);
    input.surfaceColor = int(SheetColour);
    input.parentActive = true;
    input.showFocusRect = true;
    input.enabled = look != Look::Disabled;
    input.state = look == Look::Hover ? VisualState::StateHover : VisualState::StateNormal;
    if (look == Look::Pressed) {
        input.state = VisualState::StatePressed;
        input.mouseInside = true;
        input.leftButtonDown = true;
    }
    if (look == Look::Checked) {
        input.checkBoxMode = true;
        input.value = true;
        if (style != 0 && style != 3 && style != 9)
            input.state = VisualState::StatePressed;
    }
    input.hasFocus = look == Look::Focused;
    input.captionFrame = {ButtonWidth / 2 - 20, ButtonHeight / 2 - 8, ButtonWidth / 2 + 21,
                          ButtonHeight / 2 + 9};
    return input;
}

// A stand-in for the content drawing: the caption centred in the colour the button would use.
void drawCaption(QImage &surface, const ButtonStyleInput &input, const ButtonStyleEffects &effects)
{
    if (effects.clearCaption)
        return;
    int colour = effects.foreColor ? TranslateColor(*effects.foreColor) : input.foreColor;
    if (!input.enabled)
        colour = TranslateColor(SystemColor::GrayText);
    QPainter painter(&surface);
    painter.setPen(colourOf(colour));
    painter.drawText(QRect(0, 0, surface.width(), surface.height()), Qt::AlignCenter, QStringLiteral("按钮"));
}

QImage patternedContainer(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < height; y += 4)
        for (int x = 0; x < width; x += 4)
            painter.fillRect(x, y, 4, 4, ((x + y) / 4) % 2 ? QColor(200, 80, 80) : QColor(250, 240, 200));
    return image;
}

QLabel *buttonLabel(ButtonStyleInput input, QWidget *parent)
{
    QImage surface = makeButtonSurface(ButtonWidth, ButtonHeight);
    FillArea(surface, {0, 0, ButtonWidth, ButtonHeight}, input.surfaceColor);
    const ButtonStyleEffects effects = drawStyleBackground(surface, input);
    drawCaption(surface, input, effects);
    auto *label = new QLabel(parent);
    label->setFixedSize(ButtonWidth, ButtonHeight);
    label->setPixmap(QPixmap::fromImage(surface));
    label->setMask(UpdateRegion(input.buttonStyle, ButtonWidth, ButtonHeight));
    return label;
}

pexbutton *liveButton(int style, Look look, QWidget *parent)
{
    auto *button = new pexbutton(parent);
    button->setButtonStyle(style);
    button->setFixedSize(ButtonWidth, ButtonHeight);
    button->setFocusPolicy(Qt::NoFocus);
    if (look == Look::Disabled)
        button->setEnabled(false);
    if (look == Look::Checked) {
        button->setCheckBoxMode(true);
        button->setValue(true);
    }
    // Last: style 16 drops its caption at every unchecked drawing but keeps it while checked.
    button->setCaption(QStringLiteral("按钮"));
    return button;
}

bool isLive(Look look)
{
    return look == Look::Normal || look == Look::Disabled || look == Look::Checked;
}

QWidget *lookWidget(int style, Look look, QWidget *parent)
{
    if (isLive(look))
        return liveButton(style, look, parent);
    return buttonLabel(inputFor(style, look), parent);
}

// A container with a patterned background and a transparent style-16 button on it.
QWidget *transparentButton(bool border, QWidget *parent)
{
    auto *container = new QWidget(parent);
    container->setFixedSize(ButtonWidth, ButtonHeight);
    QPalette palette = container->palette();
    palette.setBrush(QPalette::Window,
                     QBrush(QPixmap::fromImage(patternedContainer(ButtonWidth, ButtonHeight))));
    container->setPalette(palette);
    container->setAutoFillBackground(true);
    pexbutton *button = liveButton(16, Look::Normal, container);
    button->setBackStyle(true);
    button->setBorderStyle(border);
    button->move(0, 0);
    return container;
}

QWidget *buildSheet()
{
    auto *sheet = new QWidget;
    sheet->setWindowTitle(QStringLiteral("Button styles"));
    QPalette palette = sheet->palette();
    palette.setColor(QPalette::Window, colourOf(int(SheetColour)));
    sheet->setPalette(palette);
    sheet->setAutoFillBackground(true);
    auto *grid = new QGridLayout(sheet);
    grid->setSpacing(6);
    for (std::size_t column = 0; column < Looks.size(); ++column)
        grid->addWidget(new QLabel(QString::fromLatin1(LookNames[column]), sheet), 0, int(column) + 1);
    for (int style = 0; style < int(Styles.size()); ++style) {
        grid->addWidget(new QLabel(QString::fromLatin1(Styles[std::size_t(style)].name), sheet), style + 1,
                        0);
        for (std::size_t column = 0; column < Looks.size(); ++column)
            grid->addWidget(lookWidget(style, Looks[column], sheet), style + 1, int(column) + 1);
    }
    const int row = int(Styles.size()) + 1;
    grid->addWidget(new QLabel(QStringLiteral("16 transparent"), sheet), row, 0);
    for (int border = 0; border < 2; ++border)
        grid->addWidget(transparentButton(border == 1, sheet), row, border + 1);
    grid->addWidget(new QLabel(QStringLiteral("99 unknown"), sheet), row, 3);
    grid->addWidget(buttonLabel(inputFor(99, Look::Normal), sheet), row, 4);
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const qsizetype size = arguments.indexOf(QStringLiteral("--size"));
    if (size >= 0 && size + 1 < arguments.size()) {
        const QStringList parts = arguments.at(size + 1).split(QLatin1Char('x'));
        if (parts.size() == 2 && parts.at(0).toInt() >= 15 && parts.at(1).toInt() >= 15) {
            ButtonWidth = parts.at(0).toInt();
            ButtonHeight = parts.at(1).toInt();
        }
    }
    QWidget *sheet = buildSheet();
    sheet->show();
    const qsizetype save = arguments.indexOf(QStringLiteral("--save"));
    if (save >= 0 && save + 1 < arguments.size()) {
        const QString file = arguments.at(save + 1);
        QTimer::singleShot(300, &app, [sheet, file] {
            sheet->grab().save(file);
            QCoreApplication::quit();
        });
    }
    const int result = app.exec();
    delete sheet;
    return result;
}
