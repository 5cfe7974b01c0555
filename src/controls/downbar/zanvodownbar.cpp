#include "controls/downbar/zanvodownbar.h"

#include "controls/common/colorvalue.h"
#include "controls/common/uifonts.h"
#include "controls/downbar/barpropertybag.h"
#include "controls/downbar/builtinpicture.h"
#include "controls/downbar/twipgeometry.h"
#include "platform/basicnumbers.h"
#include "platform/twips.h"

#include <algorithm>
#include <cmath>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>

namespace {

constexpr quint32 DefaultFill = rgbValue(179, 198, 226);
constexpr quint32 DefaultBack = rgbValue(224, 224, 224);
constexpr quint32 DarkText = rgbValue(64, 64, 64);
constexpr quint32 NameText = rgbValue(22, 66, 120);
constexpr quint32 LineColor = rgbValue(128, 128, 128);

const QString DefaultText = QStringLiteral("Example");
const QString DefaultSpeed = QStringLiteral("0");
const QString DefaultProgress = QStringLiteral("50");

// Right-hand gaps of the speed and state texts, and where the name goes when it changes.
constexpr int SpeedRightGap = 400;
constexpr int SpeedTop = 440;
constexpr int SizesRightGap = 100;
constexpr int SizesBottomGap = 120;
constexpr int ChangedNameTop = 250;

// "黑体" draws Latin text at half the width of a Chinese character, and the bar's gaps (400 twips
// for "KB/s") were laid out for that; the half-width face of the stand-in keeps them.
QFont barTextFont()
{
    QFont font = barFont();
    QStringList families = font.families();
    families.insert(std::min<qsizetype>(2, families.size()), QStringLiteral("WenQuanYi Zen Hei Mono"));
    font.setFamilies(families);
    return font;
}

} // namespace

ZanvoDownbar::ZanvoDownbar(QWidget *parent)
    : QWidget(parent), m_font(barTextFont()), m_metrics(m_font), m_geometry(0, 0, DesignWidth, DesignHeight),
      m_clickLayer(0, 0, 6735, 1215), m_line(0, 1200, 6720, 1200), m_kbLabel(5040, 600, 1095, 255),
      m_sizes(6120, 960, 465, 180), m_speed(4755, 600, 105, 180), m_urls(960, 600, 3855, 255),
      m_per(240, 480, 195, 180), m_image(120, 200, 660, 660), m_panel(0, 0, 6735, 1215),
      m_sizesText(DefaultText), m_speedText(DefaultSpeed), m_urlText(DefaultText), m_nameText(DefaultText),
      m_perText(DefaultProgress), m_picture(builtinBarPicture()), m_barColor(DefaultFill),
      m_barBColor(DefaultBack)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_percentLabel = QRect(QPoint(500, 470), textSizeTwips(QStringLiteral("%")));
    m_name = QRect(QPoint(960, 240), textSizeTwips(m_nameText));
    fitCentredText(m_sizes, m_sizesText);
    fitCentredText(m_speed, m_speedText);
    fitCentredText(m_per, m_perText);
    m_fill = QRect(0, 0, fillWidth(), 1215);
    applyPixelGeometry();
}

void ZanvoDownbar::setBarBColor(quint32 color)
{
    if (color == m_barBColor)
        return;
    m_barBColor = color;
    update();
}

void ZanvoDownbar::setBarColor(quint32 color)
{
    if (color == m_barColor)
        return;
    m_barColor = color;
    refresh(m_fill, m_fill);
}

double ZanvoDownbar::Progress() const
{
    return leadingNumber(m_perText);
}

void ZanvoDownbar::setProgress(double percent)
{
    if (std::isnan(percent))
        percent = 0; // a progress computed from nothing shows as none
    putProgressText(numberToText(std::min(percent, 100.0)));
}

double ZanvoDownbar::speeds() const
{
    return leadingNumber(m_speedText);
}

// The speed is placed again even when its text stays: a restored text has not been placed yet.
void ZanvoDownbar::setSpeeds(double kilobytesPerSecond)
{
    const QString text = numberToText(kilobytesPerSecond);
    const QRect speedBefore = m_speed;
    const QRect kbBefore = m_kbLabel;
    const bool textChanged = text != m_speedText;
    if (textChanged)
        putSpeedText(text);
    placeSpeed();
    if (!textChanged && speedBefore == m_speed && kbBefore == m_kbLabel)
        return;
    refresh(speedBefore, m_speed);
    refresh(kbBefore, m_kbLabel);
}

void ZanvoDownbar::setURL(const QString &url)
{
    if (url == m_urlText)
        return;
    m_urlText = url;
    refresh(m_urls, m_urls);
}

// Lays the bar out even for the same text: that pass also puts back what a name change moved.
void ZanvoDownbar::setTagged(const QString &state)
{
    if (state != m_sizesText)
        putSizesText(state);
    layoutPass();
}

void ZanvoDownbar::setTaskName(const QString &name)
{
    putNameText(name);
}

void ZanvoDownbar::setPictures(const QImage &picture)
{
    if (picture == m_picture)
        return;
    m_picture = picture;
    refresh(m_image, m_image);
}

void ZanvoDownbar::setMiniMode(bool mini)
{
    m_miniMode = mini;
    layoutPass();
}

void ZanvoDownbar::writeProperties(BarPropertyBag &bag) const
{
    bag.write(QStringLiteral("MiniMode"), m_miniMode, false);
    bag.write(QStringLiteral("BarBColor"), m_barBColor, DefaultBack);
    bag.write(QStringLiteral("Speeds"), m_speedText, DefaultSpeed);
    bag.write(QStringLiteral("URL"), m_urlText, DefaultText);
    bag.write(QStringLiteral("Tagged"), m_sizesText, DefaultText);
    bag.write(QStringLiteral("TaskName"), m_nameText, DefaultText);
    bag.write(QStringLiteral("Progress"), m_perText, DefaultProgress);
    bag.write(QStringLiteral("Pictures"), m_picture, builtinBarPicture());
    bag.write(QStringLiteral("BarColor"), m_barColor, DefaultFill);
}

// Texts go straight into the elements; only what any text change does happens (sizes, the fill,
// the name's top). The holder's placement lays the rest out.
void ZanvoDownbar::readProperties(const BarPropertyBag &bag)
{
    m_miniMode = bag.read(QStringLiteral("MiniMode"), false).toBool();
    putSpeedText(bag.read(QStringLiteral("Speeds"), DefaultSpeed).toString());
    m_urlText = bag.read(QStringLiteral("URL"), DefaultText).toString();
    putSizesText(bag.read(QStringLiteral("Tagged"), DefaultText).toString());
    putNameText(bag.read(QStringLiteral("TaskName"), DefaultText).toString());
    putProgressText(bag.read(QStringLiteral("Progress"), DefaultProgress).toString());
    m_picture = bag.read(QStringLiteral("Pictures"), m_picture).value<QImage>();
    m_barBColor = bag.read(QStringLiteral("BarBColor"), DefaultBack).toUInt();
    m_barColor = bag.read(QStringLiteral("BarColor"), DefaultFill).toUInt();
    update();
}

void ZanvoDownbar::setGeometryTwips(const QRect &twips)
{
    m_geometry = twips;
    applyPixelGeometry();
    layoutPass();
}

void ZanvoDownbar::setWidthTwips(int width)
{
    setGeometryTwips(QRect(m_geometry.topLeft(), QSize(width, m_geometry.height())));
}

void ZanvoDownbar::setHeightTwips(int height)
{
    setGeometryTwips(QRect(m_geometry.topLeft(), QSize(m_geometry.width(), height)));
}

void ZanvoDownbar::setTopTwips(int top)
{
    if (top == m_geometry.top())
        return;
    m_geometry.moveTop(top);
    applyPixelGeometry();
}

QRect ZanvoDownbar::elementTwips(BarElement element) const
{
    return elementRect(element);
}

QString ZanvoDownbar::elementText(BarElement element) const
{
    return textOf(element);
}

bool ZanvoDownbar::isElementShown(BarElement element) const
{
    switch (element) {
    case BarElement::ClickLayer:
        return false;
    case BarElement::Urls:
    case BarElement::Sizes:
        return m_detailsShown;
    default:
        return true;
    }
}

const QRect &ZanvoDownbar::elementRect(BarElement element) const
{
    switch (element) {
    case BarElement::ClickLayer:
        return m_clickLayer;
    case BarElement::KbLabel:
        return m_kbLabel;
    case BarElement::PercentLabel:
        return m_percentLabel;
    case BarElement::Sizes:
        return m_sizes;
    case BarElement::Speed:
        return m_speed;
    case BarElement::Urls:
        return m_urls;
    case BarElement::Name:
        return m_name;
    case BarElement::Per:
        return m_per;
    case BarElement::Image:
        return m_image;
    case BarElement::Fill:
        return m_fill;
    case BarElement::Panel:
        break;
    }
    return m_panel;
}

QString ZanvoDownbar::textOf(BarElement element) const
{
    switch (element) {
    case BarElement::KbLabel:
        return QStringLiteral("KB/s");
    case BarElement::PercentLabel:
        return QStringLiteral("%");
    case BarElement::Sizes:
        return m_sizesText;
    case BarElement::Speed:
        return m_speedText;
    case BarElement::Urls:
        return m_urlText;
    case BarElement::Name:
        return m_nameText;
    case BarElement::Per:
        return m_perText;
    default:
        return {};
    }
}

QColor ZanvoDownbar::textColorOf(BarElement element) const
{
    switch (element) {
    case BarElement::KbLabel:
    case BarElement::Speed:
        return Qt::black;
    case BarElement::Name:
        return toQColor(NameText);
    default:
        return toQColor(DarkText);
    }
}

QSize ZanvoDownbar::textSizeTwips(const QString &text) const
{
    return QSize(pixelsToTwips(m_metrics.horizontalAdvance(text)), pixelsToTwips(m_metrics.height()));
}

// A centred text that is sized to its text grows and shrinks about its middle.
void ZanvoDownbar::fitCentredText(QRect &box, const QString &text) const
{
    const QSize size = textSizeTwips(text);
    const int centre = box.left() + box.width() / 2;
    box = QRect(centre - size.width() / 2, box.top(), size.width(), size.height());
}

void ZanvoDownbar::putProgressText(const QString &text)
{
    if (text == m_perText)
        return;
    const QRect before = m_per;
    const int fillBefore = m_fill.width();
    m_perText = text;
    fitCentredText(m_per, text);
    m_fill.setWidth(fillWidth());
    refresh(before, m_per);
    refreshFill(fillBefore);
}

void ZanvoDownbar::putNameText(const QString &text)
{
    if (text == m_nameText)
        return;
    const QRect before = m_name;
    m_nameText = text;
    m_name.setSize(textSizeTwips(text));
    m_name.moveTop(ChangedNameTop);
    refresh(before, m_name);
}

void ZanvoDownbar::putSpeedText(const QString &text)
{
    m_speedText = text;
    fitCentredText(m_speed, text);
}

void ZanvoDownbar::putSizesText(const QString &text)
{
    m_sizesText = text;
    fitCentredText(m_sizes, text);
}

// W x p / 100; a negative progress shows no fill.
int ZanvoDownbar::fillWidth() const
{
    const double width = barWidth() * leadingNumber(m_perText) / 100.0;
    return int(std::lround(std::clamp(width, 0.0, double(QWIDGETSIZE_MAX) * TwipsPerPixel)));
}

void ZanvoDownbar::placeSpeed()
{
    m_speed.moveTo(barWidth() - m_speed.width() - SpeedRightGap, SpeedTop);
    m_kbLabel.moveTo(m_speed.left() + m_speed.width(), SpeedTop);
}

void ZanvoDownbar::layoutPass()
{
    if (m_miniMode)
        miniLayout();
    else
        normalLayout();
    update();
}

void ZanvoDownbar::normalLayout()
{
    const int w = barWidth();
    const int h = barHeight();
    m_detailsShown = true;
    m_name.moveLeft(960);
    m_panel = QRect(0, 0, w, h);
    m_line = QLine(m_line.x1(), h - 10, w, h - 10);
    m_fill.setSize(QSize(fillWidth(), h));
    m_sizes.moveTo(w - SizesRightGap - m_sizes.width(), h - SizesBottomGap - m_sizes.height());
    placeSpeed();
    m_image = QRect(240, 240, 660, 660);
}

void ZanvoDownbar::miniLayout()
{
    m_geometry.setHeight(MiniHeight);
    applyPixelGeometry();
    m_image = QRect(50, 100, 300, 300);
    m_name.moveTo(400, 200);
    m_detailsShown = false;
    m_kbLabel.moveTop(SpeedTop);
    m_speed.moveTop(SpeedTop);
    const int w = barWidth();
    const int h = barHeight();
    m_panel = QRect(0, 0, w, h);
    m_line.setP2(QPoint(w, m_line.y2())); // stays below the bar: the mini bar shows no line
    m_fill.setSize(QSize(fillWidth(), h));
    placeSpeed();
}

void ZanvoDownbar::applyPixelGeometry()
{
    m_appliedPixels = twipsToPixelRect(m_geometry);
    setGeometry(m_appliedPixels);
}

void ZanvoDownbar::refresh(const QRect &beforeTwips, const QRect &afterTwips)
{
    update(twipsToPixelRect(beforeTwips).united(twipsToPixelRect(afterTwips)));
}

void ZanvoDownbar::refreshFill(int widthBefore)
{
    const int from = std::min(widthBefore, m_fill.width());
    const int to = std::max(widthBefore, m_fill.width());
    if (from != to)
        refresh(QRect(from, m_fill.top(), to - from, m_fill.height()), {});
}

void ZanvoDownbar::paintEvent(QPaintEvent *event)
{
    const QRect dirty = event->rect();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QRect panel = twipsToPixelRect(m_panel);
    painter.setClipRect(panel);
    painter.fillRect(panel, toQColor(m_barBColor));
    painter.fillRect(twipsToPixelRect(m_fill), toQColor(m_barColor));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(twipsToPixelRect(m_image), m_picture);
    painter.setFont(m_font);
    for (BarElement element : {BarElement::Per, BarElement::Name, BarElement::Urls, BarElement::Speed,
                               BarElement::Sizes, BarElement::PercentLabel, BarElement::KbLabel})
        paintText(painter, element, dirty);
    painter.setPen(toQColor(LineColor));
    painter.drawLine(twipsToPixelLine(m_line));
}

void ZanvoDownbar::paintText(QPainter &painter, BarElement element, const QRect &dirty) const
{
    const QRect box = twipsToPixelRect(elementRect(element));
    if (!isElementShown(element) || !box.intersects(dirty))
        return;
    const bool centred =
        element == BarElement::Per || element == BarElement::Speed || element == BarElement::Sizes;
    painter.setPen(textColorOf(element));
    painter.drawText(box, Qt::TextSingleLine | Qt::AlignTop | (centred ? Qt::AlignHCenter : Qt::AlignLeft),
                     textOf(element));
}

// The window system delivers the second press of a double click as this event instead of a press.
void ZanvoDownbar::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void ZanvoDownbar::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (m_clickLayer.contains(pixelsToTwipPoint(event->position().toPoint())))
        Q_EMIT Click();
}

// Sizes set from outside in pixels become the twip size; our own placements are ignored here.
void ZanvoDownbar::resizeEvent(QResizeEvent *event)
{
    if (event->size() == m_appliedPixels.size())
        return;
    m_appliedPixels.setSize(event->size());
    m_geometry.setSize(QSize(pixelsToTwips(event->size().width()), pixelsToTwips(event->size().height())));
    layoutPass();
}

void ZanvoDownbar::moveEvent(QMoveEvent *event)
{
    if (event->pos() == m_appliedPixels.topLeft())
        return;
    m_appliedPixels.moveTopLeft(event->pos());
    m_geometry.moveTopLeft(pixelsToTwipPoint(event->pos()));
}
