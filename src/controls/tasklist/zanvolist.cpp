#include "controls/tasklist/zanvolist.h"

#include "controls/common/colorvalue.h"
#include "controls/downbar/barpropertybag.h"
#include "controls/downbar/twipgeometry.h"
#include "controls/downbar/zanvodownbar.h"
#include "controls/tasklist/arrowlabel.h"
#include "platform/twips.h"

#include <algorithm>
#include <QResizeEvent>

namespace {

constexpr quint32 NormalFill = rgbValue(179, 198, 226);
constexpr quint32 NormalBack = rgbValue(224, 224, 224);
constexpr quint32 SelectedFill = rgbValue(255, 127, 39);
constexpr quint32 SelectedBack = rgbValue(255, 234, 162);

// What a slot shows before a task fills it.
BarPropertyBag storedBarValues()
{
    BarPropertyBag bag;
    bag.write(QStringLiteral("TaskName"), QStringLiteral("Name"), {});
    bag.write(QStringLiteral("URL"), QStringLiteral("URL"), {});
    bag.write(QStringLiteral("Tagged"), QStringLiteral("0KB/s"), {});
    bag.write(QStringLiteral("Speeds"), QStringLiteral("0"), {});
    bag.write(QStringLiteral("Progress"), QStringLiteral("50"), {});
    bag.write(QStringLiteral("BarBColor"), rgbValue(255, 255, 255), {});
    bag.write(QStringLiteral("BarColor"), rgbValue(33, 112, 228), {});
    return bag;
}

QWidget *colouredPanel(QWidget *parent, const QColor &colour)
{
    auto *panel = new QWidget(parent);
    panel->setAutoFillBackground(true);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, colour);
    panel->setPalette(colours);
    return panel;
}

} // namespace

ZanvoList::ZanvoList(QWidget *parent)
    : QWidget(parent), m_contentPanel(colouredPanel(this, QColor(238, 238, 238))),
      m_stripPanel(new QWidget(this)),
      m_downArrow(new ArrowLabel(QStringLiteral("↓"), QColor(27, 81, 163), m_stripPanel)),
      m_upArrow(new ArrowLabel(QStringLiteral("↑"), QColor(33, 112, 228), m_stripPanel))
{
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    m_contentPanel->setObjectName(QStringLiteral("Picture1"));
    m_stripPanel->setObjectName(QStringLiteral("Picture2"));
    m_downArrow->setObjectName(QStringLiteral("Label1"));
    m_upArrow->setObjectName(QStringLiteral("Label2"));
    connect(m_downArrow, &ArrowLabel::released, this, &ZanvoList::scrollDown);
    connect(m_upArrow, &ArrowLabel::released, this, &ZanvoList::scrollUp);

    ZanvoDownbar *first = createBar();
    first->setGeometryTwips(QRect(0, 0, 9015, NormalBarHeight));
    first->hide();
    m_down.emplace(0, first);
    connect(first, &ZanvoDownbar::Click, this, [this] { select(0); });

    placeContent();
    placeStrip();
    resize(8880 / TwipsPerPixel, 6690 / TwipsPerPixel);
    fitTo(8880, 6690);
}

bool ZanvoList::Add(const QString &names, const QString &urls, qint16 &rindex, bool mini, const QString &tags,
                    quint32 bar, quint32 bbar)
{
    if (m_liveBars == 0) {
        addToEmptyList(names, urls, mini, tags, bar, bbar);
        rindex = 0;
        return true;
    }
    if (m_lastIndex >= HighestIndex)
        return false;
    const qint16 index = qint16(m_lastIndex + 1);
    ZanvoDownbar *created = createBar();
    created->setGeometryTwips(QRect(0, 0, slotZero().geometryTwips().width(), NormalBarHeight));
    giveTaskValues(*created, names, urls, mini, tags, bar, bbar);
    const int top = stackHeight(m_lastIndex);
    created->setTopTwips(top);
    created->show();
    connect(created, &ZanvoDownbar::Click, this, [this, index] { select(index); });
    m_down.emplace(index, created);
    ++m_liveBars;
    m_lastIndex = index;
    m_content.setHeight(top + NormalBarHeight);
    placeContent();
    rindex = index;
    return true;
}

void ZanvoList::addToEmptyList(const QString &names, const QString &urls, bool mini, const QString &tags,
                               quint32 fill, quint32 back)
{
    ZanvoDownbar &first = slotZero();
    first.setTopTwips(0);
    first.show();
    m_slotZeroUsed = true;
    m_liveBars = 1;
    m_lastIndex = 0;
    giveTaskValues(first, names, urls, mini, tags, fill, back);
}

void ZanvoList::Remove(qint16 index)
{
    if (index == 0) {
        slotZero().hide();
        if (m_slotZeroUsed)
            --m_liveBars;
        m_slotZeroUsed = false;
    } else if (isLive(index)) {
        const auto found = m_down.find(index);
        found->second->hide();
        found->second->deleteLater(); // the bar may be the one whose event brought us here
        m_down.erase(found);
        --m_liveBars;
    }
    const qint32 last = m_lastIndex;
    if (last >= 0 && index == last)
        --m_lastIndex;
    m_content.setHeight(restack(last, index) + NormalBarHeight);
    placeContent();
}

qint16 ZanvoList::Count() const
{
    return qint16(std::min(m_liveBars, int(HighestIndex)));
}

QString ZanvoList::GetTitle(qint16 index) const
{
    return slot(index).TaskName();
}

QString ZanvoList::GetURL(qint16 index) const
{
    if (!isLive(index))
        return QStringLiteral("None");
    return m_down.at(index)->URL();
}

QString ZanvoList::ChangeURL(qint16 index, const QString &url)
{
    slot(index).setURL(url);
    return {};
}

void ZanvoList::ChangeState(qint16 index, const QString &state)
{
    slot(index).setTagged(state);
}

void ZanvoList::Cspeed(qint16 index, double speed)
{
    slot(index).setSpeeds(speed);
}

void ZanvoList::Cpro(qint16 index, double progress)
{
    slot(index).setProgress(progress);
}

ZanvoDownbar *ZanvoList::Down(qint16 index) const
{
    const auto found = m_down.find(index);
    return found == m_down.end() ? nullptr : found->second;
}

void ZanvoList::scrollDown()
{
    const int listHeight = pixelsToTwips(height());
    if (listHeight - m_content.top() > m_content.height())
        m_content.moveTop(listHeight - m_content.height());
    else
        m_content.moveTop(m_content.top() - ScrollStep);
    placeContent();
    pinStrip();
}

void ZanvoList::scrollUp()
{
    if (m_content.top() + 100 > 0)
        m_content.moveTop(0);
    else
        m_content.moveTop(m_content.top() + ScrollStep);
    placeContent();
    pinStrip();
}

void ZanvoList::resizeEvent(QResizeEvent *event)
{
    fitTo(pixelsToTwips(event->size().width()), pixelsToTwips(event->size().height()));
}

ZanvoDownbar *ZanvoList::createBar()
{
    auto *bar = new ZanvoDownbar(m_contentPanel);
    bar->readProperties(storedBarValues());
    return bar;
}

// A non-zero colour is used as given; zero means the normal colours.
void ZanvoList::giveTaskValues(ZanvoDownbar &bar, const QString &names, const QString &urls, bool mini,
                               const QString &tags, quint32 fill, quint32 back) const
{
    bar.setTaskName(names);
    bar.setURL(urls);
    bar.setMiniMode(mini);
    if (!mini)
        bar.setHeightTwips(NormalBarHeight); // a slot that was mini before gets its full height back
    if (!tags.isEmpty())
        bar.setTagged(tags);
    bar.setBarColor(fill == 0 ? NormalFill : fill);
    bar.setBarBColor(back == 0 ? NormalBack : back);
}

bool ZanvoList::isLive(int index) const
{
    if (index == 0)
        return m_slotZeroUsed;
    return index > 0 && m_down.count(index) != 0;
}

ZanvoDownbar &ZanvoList::slot(qint16 index) const
{
    // Slot 0 always exists, hidden or not.
    if (index == 0)
        return slotZero();
    if (!isLive(index))
        throw MissingTaskError(index);
    return *m_down.at(index);
}

int ZanvoList::stackHeight(int lastSlot) const
{
    int total = 0;
    for (const auto &[k, bar] : m_down) {
        if (k > lastSlot)
            break;
        if (isLive(k))
            total += bar->geometryTwips().height();
    }
    return total;
}

// Stacks the live bars of slots 0 to lastSlot, leaving out `skipped`; returns their total height.
int ZanvoList::restack(int lastSlot, int skipped)
{
    int total = 0;
    for (const auto &[k, bar] : m_down) {
        if (k > lastSlot)
            break;
        if (k == skipped || !isLive(k))
            continue;
        bar->setTopTwips(total);
        total += bar->geometryTwips().height();
    }
    return total;
}

void ZanvoList::select(qint16 index)
{
    m_selectedIndex = index;
    for (const auto &[k, bar] : m_down) {
        const bool chosen = k == index;
        bar->setBarColor(chosen ? SelectedFill : NormalFill);
        bar->setBarBColor(chosen ? SelectedBack : NormalBack);
    }
    update();
    Q_EMIT taskClicked(index);
}

void ZanvoList::fitTo(int widthTwips, int heightTwips)
{
    m_content.setWidth(widthTwips);
    placeContent();
    for (const auto &entry : m_down)
        entry.second->setWidthTwips(widthTwips);
    m_strip = QRect(0, heightTwips - StripHeight, widthTwips, m_strip.height());
    const int half = widthTwips / 2;
    m_downBox.setWidth(half);
    m_upBox = QRect(half, m_upBox.top(), half, m_upBox.height());
    placeStrip();
}

void ZanvoList::placeContent()
{
    m_contentPanel->setGeometry(twipsToPixelRect(m_content));
}

void ZanvoList::placeStrip()
{
    m_stripPanel->setGeometry(twipsToPixelRect(m_strip));
    m_downArrow->setGeometry(twipsToPixelRect(m_downBox));
    m_upArrow->setGeometry(twipsToPixelRect(m_upBox));
    m_stripPanel->raise();
}

void ZanvoList::pinStrip()
{
    m_strip.moveTop(pixelsToTwips(height()) - m_strip.height());
    placeStrip();
}
