#pragma once

#include <QFontMetrics>
#include <QImage>
#include <QLine>
#include <QRect>
#include <QString>
#include <QWidget>

class BarPropertyBag;

// The elements the bar is drawn from, named as in the layout they come from.
enum class BarElement
{
    ClickLayer,   // Label3
    KbLabel,      // Label2, "KB/s"
    PercentLabel, // Label1, "%"
    Sizes,        // state text
    Speed,        // speed number
    Urls,         // task address
    Name,         // MName, task name
    Per,          // progress number
    Image,        // Image2
    Fill,         // Shape1
    Panel,        // Picture1
};

// One task on the task list: picture, name, address, state text, progress as number and fill, speed.
// Every value comes from outside through the properties; a mouse press raises Click. The layout is
// kept in twips (readable through geometryTwips() and elementTwips()) and drawn in pixels.
class ZanvoDownbar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ZanvoDownbar)

public:
    static constexpr int DesignWidth = 6735;
    static constexpr int DesignHeight = 1230;
    static constexpr int MiniHeight = 500;

    explicit ZanvoDownbar(QWidget *parent = nullptr);

    quint32 BarBColor() const { return m_barBColor; }
    void setBarBColor(quint32 color);
    quint32 BarColor() const { return m_barColor; }
    void setBarColor(quint32 color);
    double Progress() const;
    void setProgress(double percent);
    double speeds() const;
    void setSpeeds(double kilobytesPerSecond);
    QString URL() const { return m_urlText; }
    void setURL(const QString &url);
    QString Tagged() const { return m_sizesText; }
    void setTagged(const QString &state);
    QString TaskName() const { return m_nameText; }
    void setTaskName(const QString &name);
    QImage Pictures() const { return m_picture; }
    void setPictures(const QImage &picture);
    bool MiniMode() const { return m_miniMode; }
    void setMiniMode(bool mini);

    void writeProperties(BarPropertyBag &bag) const;
    void readProperties(const BarPropertyBag &bag);

    // Place and size in the holder, in twips; the layout pass follows.
    QRect geometryTwips() const { return m_geometry; }
    void setGeometryTwips(const QRect &twips);
    void setWidthTwips(int width);
    void setHeightTwips(int height);
    // Moves the bar without laying it out again.
    void setTopTwips(int top);

    QRect elementTwips(BarElement element) const;
    QString elementText(BarElement element) const;
    bool isElementShown(BarElement element) const;
    QLine lineTwips() const { return m_line; }

Q_SIGNALS:
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    const QRect &elementRect(BarElement element) const;
    QString textOf(BarElement element) const;
    QColor textColorOf(BarElement element) const;
    QSize textSizeTwips(const QString &text) const;
    void fitCentredText(QRect &box, const QString &text) const;
    int barWidth() const { return m_geometry.width(); }
    int barHeight() const { return m_geometry.height(); }

    void putProgressText(const QString &text);
    void putNameText(const QString &text);
    void putSpeedText(const QString &text);
    void putSizesText(const QString &text);
    int fillWidth() const;
    void placeSpeed();
    void layoutPass();
    void normalLayout();
    void miniLayout();
    void applyPixelGeometry();
    void refresh(const QRect &beforeTwips, const QRect &afterTwips);
    void refreshFill(int widthBefore);

    void paintText(QPainter &painter, BarElement element, const QRect &dirty) const;

    QFont m_font;
    QFontMetrics m_metrics;
    QRect m_geometry;
    QRect m_appliedPixels;
    bool m_miniMode{false};
    bool m_detailsShown{true};

    QRect m_clickLayer;
    QLine m_line;
    QRect m_kbLabel;
    QRect m_percentLabel;
    QRect m_sizes;
    QRect m_speed;
    QRect m_urls;
    QRect m_name;
    QRect m_per;
    QRect m_image;
    QRect m_fill;
    QRect m_panel;

    QString m_sizesText;
    QString m_speedText;
    QString m_urlText;
    QString m_nameText;
    QString m_perText;
    QImage m_picture;
    quint32 m_barColor;
    quint32 m_barBColor;
};
