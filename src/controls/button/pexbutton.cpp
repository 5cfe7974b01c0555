#include "controls/button/pexbutton.h"

#include "controls/button/accesskey.h"
#include "controls/button/buttoncontent.h"
#include "controls/button/buttondrawing.h"
#include "controls/button/inputcodes.h"
#include "controls/button/mousepointer.h"
#include "controls/button/styledefaults.h"
#include "controls/button/styles/buttonstyles.h"
#include "controls/button/updateregion.h"
#include "controls/common/colorvalue.h"
#include "controls/common/uifonts.h"
#include "platform/messagebox.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

namespace {

constexpr int MinimumTwips = 220;
constexpr quint32 DefaultMaskColor = rgbValue(224, 224, 224);
const QString DefaultCaption = QStringLiteral("pexbutton1");

// Twips to whole pixels, to the nearest: 220 twips are 15 pixels.
int pixelsOf(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

quint32 colourValue(const QVariant &value)
{
    return quint32(value.toLongLong());
}

QVariant noPicture()
{
    return QVariant::fromValue(ButtonPicture());
}

bool isEnterKey(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier;
}

} // namespace

pexbutton::pexbutton(QWidget *parent, const QString &instanceName)
    : QWidget(parent), m_backColor(SystemColor::ButtonFace), m_foreColor(SystemColor::ButtonText),
      m_maskColor(DefaultMaskColor), m_surfaceColor(TranslateColor(SystemColor::ButtonFace))
{
    setUpCommon();
    InitProperties(instanceName);
}

pexbutton::pexbutton(const PropertyBag &properties, QWidget *parent)
    : QWidget(parent), m_backColor(SystemColor::ButtonFace), m_foreColor(SystemColor::ButtonText),
      m_maskColor(DefaultMaskColor), m_surfaceColor(TranslateColor(SystemColor::ButtonFace))
{
    setUpCommon();
    ReadProperties(properties);
}

pexbutton::~pexbutton()
{
    stopObservingWindow();
    clearMask();
}

void pexbutton::setUpCommon()
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(pixelsOf(MinimumTwips), pixelsOf(MinimumTwips));
}

void pexbutton::InitProperties(const QString &instanceName)
{
    m_rendering = true; // one drawing at the end, not one per property
    m_showFocusRect = true;
    setEnabled(true);
    m_buttonStyle = 7;
    m_caption = instanceName;
    setFont(QFont(QStringLiteral("Verdana")));
    m_mousePointer = 0;
    m_pictureAlign = 1;
    m_captionAlign = 1;
    m_useMaskColor = false;
    m_maskColor = DefaultMaskColor;
    ApplyStyleDefaults();
    SetAccessKey();
    applyPointer();
    m_rendering = false;
    handleResize();
}

void pexbutton::ReadProperties(const PropertyBag &bag)
{
    m_rendering = true;
    const auto read = [&bag](const char *key, const QVariant &absent) {
        return bag.ReadProperty(QString::fromLatin1(key), absent);
    };
    m_buttonStyle = read("ButtonStyle", 1).toInt();
    m_backStyle = read("BackStyle", 0).toInt();
    m_borderStyle = read("BorderStyle", false).toBool();
    m_showFocusRect = read("ShowFocusRect", false).toBool();
    setFont(read("Font", containerFont()).value<QFont>());
    m_backColor = colourValue(read("BackColor", SystemColor::ButtonFace));
    const bool enabled = read("Enabled", true).toBool();
    m_caption = read("Caption", DefaultCaption).toString();
    m_value = read("Value", false).toBool();
    m_mousePointer = qint16(read("MousePointer", 0).toInt());
    m_handPointer = read("HandPointer", false).toBool();
    m_mouseIcon = read("MouseIcon", noPicture()).value<ButtonPicture>();
    m_picture = read("Picture", noPicture()).value<ButtonPicture>();
    m_pictureHover = read("PictureHover", noPicture()).value<ButtonPicture>();
    m_pictureSize = read("PictureSize", 0).toInt();
    m_maskColor = colourValue(read("MaskColor", DefaultMaskColor));
    m_useMaskColor = read("UseMaskCOlor", false).toBool();
    m_checkBoxMode = read("CheckBoxMode", false).toBool();
    m_pictureAlign = read("PictureAlign", 1).toInt();
    m_captionAlign = read("CaptionAlign", 1).toInt();
    m_foreColor = colourValue(read("ForeColor", SystemColor::ButtonText));
    applyPointer();
    applyForeColor();
    setEnabled(enabled);
    SetAccessKey();
    m_rendering = false;
    handleResize();
}

void pexbutton::WriteProperties(PropertyBag &bag) const
{
    const auto write = [&bag](const char *key, const QVariant &value, const QVariant &absent) {
        bag.WriteProperty(QString::fromLatin1(key), value, absent);
    };
    write("ButtonStyle", m_buttonStyle, 1);
    write("BackStyle", m_backStyle, qint32(0));
    write("BorderStyle", m_borderStyle, false);
    write("ShowFocusRect", m_showFocusRect, false);
    write("Enabled", Enabled(), true);
    write("Font", font(), containerFont());
    write("BackColor", m_backColor, SystemColor::ButtonFace);
    write("Caption", m_caption, DefaultCaption);
    write("ForeColor", m_foreColor, SystemColor::ButtonText);
    write("CheckBoxMode", m_checkBoxMode, false);
    write("Value", m_value, false);
    write("MousePointer", m_mousePointer, qint16(0));
    write("HandPointer", m_handPointer, false);
    write("MouseIcon", QVariant::fromValue(m_mouseIcon), noPicture());
    write("Picture", QVariant::fromValue(m_picture), noPicture());
    write("PictureHover", QVariant::fromValue(m_pictureHover), noPicture());
    write("PictureAlign", m_pictureAlign, 1);
    write("pictureSize", m_pictureSize, 0);
    write("UseMaskCOlor", m_useMaskColor, false);
    write("MaskColor", m_maskColor, DefaultMaskColor);
    write("CaptionAlign", m_captionAlign, 1);
}

PropertyBag pexbutton::properties() const
{
    PropertyBag bag;
    WriteProperties(bag);
    return bag;
}

void pexbutton::About(MessageBox &messages) const
{
    messages.show(QStringLiteral("MyCommandButton\nA Multistyle Button Control"), QStringLiteral("About"),
                  MessageBox::Buttons::Ok, MessageBox::Icon::Information);
}

// ---- properties

void pexbutton::setButtonStyle(int style)
{
    m_buttonStyle = style;
    ApplyStyleDefaults();
    UpdateRegion();
    Redraw();
}

void pexbutton::setBackColor(quint32 colour)
{
    m_backColor = colour;
    Redraw();
}

void pexbutton::setForeColor(quint32 colour)
{
    m_foreColor = colour;
    applyForeColor();
    handleResize();
}

void pexbutton::setBackStyle(bool transparent)
{
    m_backStyle = transparent ? -1 : 0;
    Redraw();
}

void pexbutton::setBorderStyle(bool border)
{
    m_borderStyle = border;
    Redraw();
}

void pexbutton::setCaption(const QString &caption)
{
    m_caption = caption;
    SetAccessKey();
    Redraw();
}

void pexbutton::setCaptionAlign(int align)
{
    m_captionAlign = align;
    Redraw();
}

void pexbutton::setCheckBoxMode(bool on)
{
    m_checkBoxMode = on;
    if (!on)
        m_visualState = VisualState::StateNormal;
    Redraw();
}

void pexbutton::setEnabled(bool enabled)
{
    const bool wasEnabled = isEnabled();
    QWidget::setEnabled(enabled);
    if (isEnabled() == wasEnabled) // no EnabledChange comes while a disabled container holds the widget
        Redraw();
}

void pexbutton::setHandPointer(bool on)
{
    m_handPointer = on;
}

void pexbutton::setMaskColor(quint32 colour)
{
    m_maskColor = colour;
    Redraw();
}

void pexbutton::setMouseIcon(const ButtonPicture &icon)
{
    m_mouseIcon = icon;
    m_mousePointer = 0;
    applyPointer();
}

void pexbutton::setMousePointer(qint16 kind)
{
    m_mousePointer = kind;
    applyPointer();
}

void pexbutton::setPicture(const ButtonPicture &picture)
{
    m_picture = picture;
    if (picture.isNone())
        handleResize();
    else
        Redraw();
}

void pexbutton::setPictureAlign(int align)
{
    m_pictureAlign = align;
    if (!m_picture.isNone())
        Redraw();
}

void pexbutton::setPictureSize(int size)
{
    m_pictureSize = size;
    Redraw();
}

void pexbutton::setPictureHover(const ButtonPicture &picture)
{
    if (m_picture.isNone())
        m_picture = picture;
    m_pictureHover = picture;
    if (picture.isNone())
        handleResize();
    else
        Redraw();
}

void pexbutton::setShowFocusRect(bool on)
{
    m_showFocusRect = on;
}

void pexbutton::setUseMaskColor(bool on)
{
    m_useMaskColor = on;
    if (!m_picture.isNone())
        Redraw();
}

void pexbutton::setValue(bool value)
{
    if (m_checkBoxMode) {
        m_value = value;
        if (!value)
            m_visualState = VisualState::StateNormal;
    } else {
        m_visualState = VisualState::StateNormal;
    }
    Redraw();
}

void pexbutton::setRunMode(bool running)
{
    m_runMode = running;
    Redraw();
}

void pexbutton::setDisplayAsDefault(bool shown)
{
    m_isDefault = shown;
    Redraw();
}

void pexbutton::setDefault(bool isDefault)
{
    if (isDefault && !m_defaultShortcut) {
        m_defaultShortcut = new QShortcut(this);
        m_defaultShortcut->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
        m_defaultShortcut->setContext(Qt::WindowShortcut);
        connect(m_defaultShortcut, &QShortcut::activated, this,
                [this] { AccessKeyPress(VirtualKey::Enter); });
    } else if (!isDefault && m_defaultShortcut) {
        delete m_defaultShortcut;
        m_defaultShortcut = nullptr;
    }
    setDisplayAsDefault(isDefault);
}

void pexbutton::setCancel(bool isCancel)
{
    if (isCancel && !m_cancelShortcut) {
        m_cancelShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        m_cancelShortcut->setContext(Qt::WindowShortcut);
        connect(m_cancelShortcut, &QShortcut::activated, this,
                [this] { AccessKeyPress(VirtualKey::Escape); });
    } else if (!isCancel && m_cancelShortcut) {
        delete m_cancelShortcut;
        m_cancelShortcut = nullptr;
    }
}

QSize pexbutton::twipsSize() const
{
    if (QSize(pixelsOf(m_twipsSize.width()), pixelsOf(m_twipsSize.height())) == size())
        return m_twipsSize;
    return size() * TwipsPerPixel;
}

void pexbutton::setTwipsSize(int width, int height)
{
    m_twipsSize = QSize(std::max(width, MinimumTwips), std::max(height, MinimumTwips));
    resize(pixelsOf(m_twipsSize.width()), pixelsOf(m_twipsSize.height()));
    if (!isVisible()) // a hidden widget hears of its new size only when shown
        handleResize();
}

void pexbutton::setTwipsGeometry(int left, int top, int width, int height)
{
    move(twipsToPixels(left), twipsToPixels(top));
    setTwipsSize(width, height);
}

// ---- style, shape, drawing

void pexbutton::ApplyStyleDefaults()
{
    const std::optional<StyleDefaults> defaults = styleDefaultsOf(m_buttonStyle);
    if (!defaults)
        return;
    m_backColor = defaults->backColor;
    m_foreColor = defaults->foreColor;
    m_showFocusRect = defaults->showFocusRect;
    applyForeColor();
}

void pexbutton::SetAccessKey()
{
    m_accessKey = accessKeyOf(m_caption);
    if (m_accessKey.isNull()) {
        delete m_accessShortcut;
        m_accessShortcut = nullptr;
        return;
    }
    if (!m_accessShortcut) {
        m_accessShortcut = new QShortcut(this);
        m_accessShortcut->setContext(Qt::WindowShortcut);
        connect(m_accessShortcut, &QShortcut::activated, this,
                [this] { AccessKeyPress(m_accessKey.unicode()); });
    }
    m_accessShortcut->setKey(QKeySequence(QStringLiteral("Alt+") + m_accessKey.toUpper()));
}

void pexbutton::UpdateRegion()
{
    applyRegion(::UpdateRegion(m_buttonStyle, width(), height()));
}

void pexbutton::applyRegion(const QRegion &region)
{
    if (region == m_region)
        return;
    m_region = region;
    setMask(region);
}

void pexbutton::handleResize()
{
    UpdateRegion();
    Redraw();
}

void pexbutton::Redraw()
{
    renderSurface();
    update();
}

void pexbutton::renderSurface()
{
    if (m_rendering)
        return;
    m_rendering = true;
    if (m_surface.size() != size())
        m_surface = makeButtonSurface(width(), height());
    FillArea(m_surface, {0, 0, width(), height()}, std::max(m_surfaceColor, 0));
    const int style = m_buttonStyle;
    if (checked() && style != 0 && style != 3 && style != 9)
        m_visualState = VisualState::StatePressed;
    applyStyleEffects(drawStyleBackground(m_surface, styleInput()));
    const ButtonContentResult content = DrawContent(m_surface, contentInput());
    m_pictureBox = content.pictureBox;
    if (content.captionFrame)
        m_captionFrame = *content.captionFrame;
    m_rendering = false;
}

ButtonStyleInput pexbutton::styleInput() const
{
    ButtonStyleInput in;
    in.buttonStyle = m_buttonStyle;
    in.state = m_visualState;
    in.backColor = TranslateColor(m_backColor);
    in.foreColor = TranslateColor(m_foreColor);
    in.maskColor = TranslateColor(m_maskColor);
    in.containerBackColor = TranslateColor(containerBackColor());
    in.surfaceColor = m_surfaceColor;
    in.enabled = Enabled();
    in.checkBoxMode = m_checkBoxMode;
    in.value = m_value;
    in.mouseInside = m_mouseInside;
    in.leftButtonDown = m_leftButtonDown;
    in.hasFocus = m_hasFocus;
    in.showFocusRect = m_showFocusRect;
    in.parentActive = m_parentActive;
    in.isDefault = m_isDefault;
    in.runMode = m_runMode;
    in.backStyle = m_backStyle != 0;
    in.borderStyle = m_borderStyle;
    in.captionFrame = m_captionFrame;
    if (m_buttonStyle == 16 && in.backStyle && !checked())
        in.containerBackground = containerBackground();
    return in;
}

ButtonContentInput pexbutton::contentInput() const
{
    ButtonContentInput in;
    in.buttonStyle = m_buttonStyle;
    in.state = m_visualState;
    in.picture = m_picture;
    in.pictureHover = m_pictureHover;
    in.pictureSize = m_pictureSize;
    in.pictureAlign = m_pictureAlign;
    in.captionAlign = m_captionAlign;
    in.useMaskColor = m_useMaskColor;
    in.maskColor = TranslateColor(m_maskColor);
    in.caption = m_caption;
    in.font = font();
    in.foreColor = TranslateColor(m_foreColor);
    in.enabled = Enabled();
    in.checkBoxMode = m_checkBoxMode;
    in.value = m_value;
    in.hasAccessKey = !m_accessKey.isNull();
    in.pictureBox = m_pictureBox;
    return in;
}

void pexbutton::applyStyleEffects(const ButtonStyleEffects &effects)
{
    if (effects.surfaceColor)
        m_surfaceColor = *effects.surfaceColor;
    if (effects.foreColor) {
        m_foreColor = *effects.foreColor;
        applyForeColor();
    }
    if (effects.resetMousePointer && m_mousePointer != 0) {
        m_mousePointer = 0;
        if (!m_handShown) // the hand stays until the next pointer event decides
            applyPointer();
    }
    if (effects.clearCaption && !m_caption.isEmpty()) {
        m_caption.clear();
        SetAccessKey();
    }
    if (effects.region)
        applyRegion(*effects.region);
}

void pexbutton::applyForeColor()
{
    const QColor colour = toQColor(m_foreColor);
    if (!colour.isValid())
        return;
    QPalette palette = this->palette();
    if (palette.isBrushSet(QPalette::Active, QPalette::ButtonText) &&
        palette.color(QPalette::ButtonText) == colour && palette.color(QPalette::WindowText) == colour)
        return; // some styles set it on every drawing
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    setPalette(palette);
}

void pexbutton::applyPointer()
{
    m_handShown = false;
    const std::optional<QCursor> cursor = cursorForPointer(m_mousePointer, m_mouseIcon);
    if (cursor)
        setCursor(*cursor);
    else
        unsetCursor();
}

// The hand is always at hand here, so switching HandPointer on at run time shows it at once;
// switched off, the button's own pointer comes back at the next pointer event.
void pexbutton::showHandCursor()
{
    if (m_handPointer && m_runMode) {
        setCursor(Qt::PointingHandCursor);
        m_handShown = true;
    } else if (m_handShown) {
        m_handShown = false;
        applyPointer();
    }
}

QFont pexbutton::containerFont() const
{
    return parentWidget() ? parentWidget()->font() : windowFont();
}

quint32 pexbutton::containerBackColor() const
{
    const QWidget *container = parentWidget();
    if (!container)
        return SystemColor::ButtonFace;
    return fromQColor(container->palette().color(container->backgroundRole()));
}

// The container's own drawing under the button, without its other children; null without one.
QImage pexbutton::containerBackground() const
{
    QWidget *container = parentWidget();
    if (!container || size().isEmpty())
        return {};
    QImage image = makeButtonSurface(width(), height());
    container->render(&image, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    return image;
}

bool pexbutton::isOnButton(const QPoint &point) const
{
    if (!rect().contains(point))
        return false;
    return m_region.isEmpty() || m_region.contains(point);
}

// ---- window activation

// Activations are seen from here on; the window may be active already (a panel shown later).
void pexbutton::observeWindow()
{
    QWidget *top = window();
    if (top == m_observedWindow)
        return;
    stopObservingWindow();
    if (top != this) {
        top->installEventFilter(this);
        m_observedWindow = top;
    }
    if (m_runMode && top->isActiveWindow() != m_parentActive) {
        if (m_parentActive)
            windowDeactivated();
        else
            windowActivated();
    }
}

void pexbutton::stopObservingWindow()
{
    if (m_observedWindow)
        m_observedWindow->removeEventFilter(this);
    m_observedWindow = nullptr;
}

bool pexbutton::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Enter on the focused button is its own, not the window's default button's.
        if (isEnterKey(static_cast<QKeyEvent *>(event)))
            event->accept();
        break;
    case QEvent::ParentChange:
        if (isVisible())
            observeWindow();
        break;
    case QEvent::WindowActivate:
        if (window() == this && m_runMode)
            windowActivated();
        break;
    case QEvent::WindowDeactivate:
        if (window() == this && m_runMode)
            windowDeactivated();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool pexbutton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_observedWindow && m_runMode) {
        if (event->type() == QEvent::WindowActivate)
            windowActivated();
        else if (event->type() == QEvent::WindowDeactivate)
            windowDeactivated();
    }
    return QWidget::eventFilter(watched, event);
}

void pexbutton::windowActivated()
{
    m_parentActive = true;
    m_visualState = VisualState::StateNormal;
    Redraw();
}

void pexbutton::windowDeactivated()
{
    m_leftButtonDown = false;
    m_spaceHeld = false;
    m_spacePressSeen = false;
    m_hasFocus = false;
    m_parentActive = false;
    m_visualState = VisualState::StateNormal;
    Redraw();
}

// A palette change also comes from the container: its background colour (styles 3, 5 and 14
// take it) or the system colours. Changes the drawing itself makes are drawn already.
void pexbutton::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::FontChange:
        Redraw();
        break;
    case QEvent::PaletteChange:
        if (!m_rendering)
            Redraw();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void pexbutton::paintEvent(QPaintEvent *)
{
    renderSurface();
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void pexbutton::resizeEvent(QResizeEvent *)
{
    handleResize();
}

void pexbutton::showEvent(QShowEvent *)
{
    observeWindow();
}

// ---- pointer

// Input tests the widget's state, which a disabled container clears too; drawing reads Enabled.
void pexbutton::enterEvent(QEnterEvent *)
{
    if (m_runMode && isEnabled() && !m_mouseInside)
        pointerEntered();
}

void pexbutton::leaveEvent(QEvent *)
{
    if (m_runMode && m_mouseInside)
        pointerLeft();
}

// A handler may wait in a nested loop while the button's window is closed and deleted; after
// every event the button raises it stops, touching nothing, when it is gone.
template <typename Step>
bool pexbutton::survives(Step &&step)
{
    const QPointer<pexbutton> alive(this);
    step();
    return !alive.isNull();
}

bool pexbutton::pointerEntered()
{
    m_mouseInside = true;
    if (!m_spaceHeld)
        m_visualState = VisualState::StateHover;
    Redraw();
    return survives([this] { Q_EMIT MouseEnter(); });
}

// One MouseLeave per MouseEnter: the leave seen by a movement and the one the window system
// reports afterwards are the same departure. A held Space keeps the pressed look, but the
// departure is still reported, so that every MouseEnter has its MouseLeave.
bool pexbutton::pointerLeft()
{
    m_mouseInside = false;
    if (!m_spaceHeld) {
        if (Enabled())
            m_visualState = VisualState::StateNormal;
        Redraw();
    }
    return survives([this] { Q_EMIT MouseLeave(); });
}

void pexbutton::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    if (!isOnButton(at.toPoint())) {
        if (m_mouseInside && !pointerLeft())
            return;
    } else if (!m_mouseInside && m_runMode) {
        if (!pointerEntered())
            return;
    }
    if (m_mouseInside) {
        showHandCursor();
        if (m_leftButtonDown)
            m_visualState = VisualState::StatePressed;
        else if (!m_spaceHeld)
            m_visualState = VisualState::StateHover;
        Redraw();
    }
    Q_EMIT MouseMove(mouseButtonsOf(event->buttons()), shiftStateOf(event->modifiers()), float(at.x()),
                     float(at.y()));
}

void pexbutton::mousePressEvent(QMouseEvent *event)
{
    showHandCursor();
    const QPointF at = event->position();
    m_lastPress = {mouseButtonOf(event->button()), shiftStateOf(event->modifiers()), float(at.x()),
                   float(at.y())};
    if (event->button() == Qt::LeftButton)
        leftPress(m_lastPress);
}

bool pexbutton::leftPress(const Press &press)
{
    m_hasFocus = true;
    m_leftButtonDown = true;
    if (m_mouseInside)
        m_visualState = VisualState::StatePressed;
    Redraw();
    return survives([&] { Q_EMIT MouseDown(press.button, press.shift, press.x, press.y); });
}

void pexbutton::mouseReleaseEvent(QMouseEvent *event)
{
    showHandCursor();
    const QPointF at = event->position();
    const qint16 shift = shiftStateOf(event->modifiers());
    if (event->button() == Qt::LeftButton) {
        m_leftButtonDown = false;
        if (at.x() >= 0 && at.y() >= 0 && at.x() < width() && at.y() < height()) {
            if (m_checkBoxMode)
                m_value = !m_value;
            Redraw();
            if (!survives([this] { Q_EMIT Click(); }))
                return;
        }
    }
    Q_EMIT MouseUp(mouseButtonOf(event->button()), shift, float(at.x()), float(at.y()));
}

// The toolkit turns the second press of a double click into this event; the press is simulated
// again so that the release that follows clicks a second time.
void pexbutton::mouseDoubleClickEvent(QMouseEvent *)
{
    showHandCursor();
    if (m_lastPress.button != MouseButton::Left)
        return;
    m_visualState = VisualState::StatePressed;
    Redraw();
    if (!leftPress(m_lastPress))
        return;
    Q_EMIT DblClick();
}

// ---- keyboard

void pexbutton::keyPressEvent(QKeyEvent *event)
{
    const qint16 code = virtualKeyOf(event->key());
    const qint16 shift = shiftStateOf(event->modifiers());
    bool alive = true;
    switch (code) {
    case VirtualKey::Enter:
        alive = survives([this] { Q_EMIT Click(); });
        break;
    case VirtualKey::Space:
        if (shift == ShiftState::Alt && !m_leftButtonDown)
            return;
        spaceDown(event->isAutoRepeat(), shift);
        break;
    case VirtualKey::Left:
    case VirtualKey::Up:
        alive = survives([this] { focusNextPrevChild(false); }); // other widgets' focus handlers run
        break;
    case VirtualKey::Right:
    case VirtualKey::Down:
        alive = survives([this] { focusNextPrevChild(true); });
        break;
    default:
        break;
    }
    if (alive)
        Q_EMIT KeyDown(code, shift);
}

// A held Space repeats its key-down; only the first one toggles or presses. A Space that went
// down elsewhere (before an arrow key moved the focus here) repeats here but is not ours.
void pexbutton::spaceDown(bool autoRepeat, qint16)
{
    if (!autoRepeat)
        m_spacePressSeen = true;
    if (!m_leftButtonDown && !autoRepeat) {
        m_spaceHeld = true;
        if (m_checkBoxMode) {
            m_value = !m_value;
        } else {
            m_visualState = VisualState::StatePressed;
            Redraw();
        }
    }
}

void pexbutton::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !m_spacePressSeen)
        return;
    m_spacePressSeen = false;
    spaceUp(shiftStateOf(event->modifiers()));
}

void pexbutton::spaceUp(qint16 shift)
{
    bool click = true;
    if (!m_mouseInside) {
        m_visualState = VisualState::StateNormal;
    } else if (m_leftButtonDown) {
        m_visualState = VisualState::StatePressed;
        click = false;
    } else {
        m_visualState = VisualState::StateHover;
    }
    Redraw();
    if (click && !survives([this] { Q_EMIT Click(); }))
        return;
    if (!survives([&] { Q_EMIT KeyUp(VirtualKey::Space, shift); }))
        return;
    m_spaceHeld = false;
    m_leftButtonDown = false;
}

void pexbutton::AccessKeyPress(int keyAscii)
{
    if (!isEnabled())
        return;
    if (m_spaceHeld) {
        m_spaceHeld = false;
        m_leftButtonDown = false;
    }
    if (m_checkBoxMode && keyAscii != VirtualKey::Escape && keyAscii != VirtualKey::Enter) {
        m_value = !m_value;
        if (!m_value)
            m_visualState = VisualState::StateNormal;
        Redraw();
    }
    // Other handlers may run here, and may even close the window.
    if (survives([] { QCoreApplication::processEvents(); }))
        Q_EMIT Click();
}

// ---- focus

// The container's DisplayAsDefault notice, which repaints a button that takes the focus, has no
// counterpart here; the button redraws itself so that its focus look shows at once.
void pexbutton::focusInEvent(QFocusEvent *)
{
    m_hasFocus = true;
    if (m_mouseInside)
        m_visualState = VisualState::StateHover;
    else if (!m_leftButtonDown)
        m_visualState = VisualState::StateNormal;
    Redraw();
}

void pexbutton::focusOutEvent(QFocusEvent *)
{
    m_hasFocus = false;
    m_leftButtonDown = false;
    m_spaceHeld = false;
    m_spacePressSeen = false;
    m_visualState = m_parentActive && m_mouseInside ? VisualState::StateHover : VisualState::StateNormal;
    Redraw();
}
