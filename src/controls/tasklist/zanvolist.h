#pragma once

#include "app/taskboard.h"

#include <map>
#include <QRect>
#include <QWidget>

class ArrowLabel;
class ZanvoDownbar;

// The scrolling list of task bars. Each task keeps the index Add gave it for its whole life; the
// bars are stacked from the top in index order and scrolled with the two arrows of the strip at
// the bottom. Layout is kept in twips, as the bars keep theirs.
//
// Slot 0 is never destroyed: it is hidden while no task uses it. Once it has been removed while
// other bars remain it counts as gone (Count, GetURL and the stacking skip it) until the list has
// emptied and Add takes it again, so an index is never handed out while a live bar holds it.
class ZanvoList final : public QWidget, public TaskBoard
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ZanvoList)

public:
    static constexpr int NormalBarHeight = 1335;
    static constexpr int StripHeight = 255;
    static constexpr int ScrollStep = 500;
    static constexpr qint32 HighestIndex = 32767;

    explicit ZanvoList(QWidget *parent = nullptr);

    bool Add(const QString &names, const QString &urls, qint16 &rindex, bool mini = false,
             const QString &tags = {}, quint32 bar = 0, quint32 bbar = 0) override;
    void Remove(qint16 index) override;
    qint16 Count() const override;
    qint32 Selected() const override { return m_selectedIndex; }
    QString GetTitle(qint16 index) const override;
    QString GetURL(qint16 index) const override;
    QString ChangeURL(qint16 index, const QString &url) override;
    void ChangeState(qint16 index, const QString &state) override;
    void Cspeed(qint16 index, double speed) override;
    void Cpro(qint16 index, double progress) override;

    qint32 lastIndex() const { return m_lastIndex; }
    // The bar of a slot, or null when that slot does not exist.
    ZanvoDownbar *Down(qint16 index) const;

    QRect contentGeometryTwips() const { return m_content; }
    QRect stripGeometryTwips() const { return m_strip; }

    // What the arrows do when released.
    void scrollDown();
    void scrollUp();

Q_SIGNALS:
    // The user clicked the task's bar.
    void taskClicked(qint16 index);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    ZanvoDownbar *createBar();
    void giveTaskValues(ZanvoDownbar &bar, const QString &names, const QString &urls, bool mini,
                        const QString &tags, quint32 fill, quint32 back) const;
    void addToEmptyList(const QString &names, const QString &urls, bool mini, const QString &tags,
                        quint32 fill, quint32 back);
    bool isLive(int index) const;
    ZanvoDownbar &slot(qint16 index) const;
    ZanvoDownbar &slotZero() const { return *m_down.at(0); }
    int stackHeight(int lastSlot) const;
    int restack(int lastSlot, int skipped);
    void select(qint16 index);
    void fitTo(int widthTwips, int heightTwips);
    void placeContent();
    void placeStrip();
    void pinStrip();

    std::map<qint32, ZanvoDownbar *> m_down; // slot index -> bar, slot 0 always present
    bool m_slotZeroUsed{false};
    int m_liveBars{0};
    qint32 m_selectedIndex{0};
    qint32 m_lastIndex{0};

    QWidget *m_contentPanel;
    QWidget *m_stripPanel;
    ArrowLabel *m_downArrow;
    ArrowLabel *m_upArrow;
    QRect m_content{0, 0, 8895, 6615};
    QRect m_strip{0, 6360, 8895, StripHeight};
    QRect m_downBox{0, 0, 4335, StripHeight};
    QRect m_upBox{4320, 0, 4575, StripHeight};
};
