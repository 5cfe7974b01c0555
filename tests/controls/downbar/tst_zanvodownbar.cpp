#include "controls/common/colorvalue.h"
#include "controls/downbar/barpropertybag.h"
#include "controls/downbar/builtinpicture.h"
#include "controls/downbar/zanvodownbar.h"

#include <cmath>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr int ListBarWidth = 6900;
constexpr int ListBarHeight = 1335;

// A bar placed as the task list places it: 6900 x 1335 twips (460 x 89 pixels).
struct PlacedBar
{
    PlacedBar() { bar.setGeometryTwips(QRect(0, 0, ListBarWidth, ListBarHeight)); }
    QRect element(BarElement e) const { return bar.elementTwips(e); }
    int rightEdge(BarElement e) const { return element(e).left() + element(e).width(); }

    ZanvoDownbar bar;
};

int expectedFill(int width, double percent)
{
    return int(std::lround(width * percent / 100.0));
}

} // namespace

class TestZanvoDownbar final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void createdHalfFilled()
    {
        ZanvoDownbar bar;
        QCOMPARE(bar.geometryTwips(), QRect(0, 0, 6735, 1230));
        QCOMPARE(bar.Progress(), 50.0);
        QCOMPARE(bar.elementTwips(BarElement::Fill).width(), expectedFill(6735, 50));
        QCOMPARE(bar.Pictures().size(), QSize(64, 62));
        QCOMPARE(bar.elementTwips(BarElement::Name).topLeft(), QPoint(960, 240));
    }

    void progress_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("readBack");
        QTest::newRow("37") << 37.0 << " 37" << 37.0;
        QTest::newRow("above 100 is capped") << 250.0 << " 100" << 100.0;
        QTest::newRow("fraction") << 12.5 << " 12.5" << 12.5;
        QTest::newRow("below one") << 0.75 << " .75" << 0.75;
        QTest::newRow("zero") << 0.0 << " 0" << 0.0;
        QTest::newRow("negative shows no fill") << -5.0 << "-5" << -5.0;
    }
    void progress()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QFETCH(double, readBack);
        PlacedBar placed;
        const QRect before = placed.element(BarElement::Per);
        placed.bar.setProgress(value);
        QCOMPARE(placed.bar.elementText(BarElement::Per), text);
        const QRect per = placed.element(BarElement::Per);
        QVERIFY(qAbs((per.left() + per.width() / 2) - (before.left() + before.width() / 2)) <= 1); // centred
        QCOMPARE(placed.bar.Progress(), readBack);
        const QRect fill = placed.element(BarElement::Fill);
        QCOMPARE(fill.topLeft(), QPoint(0, 0));
        QCOMPARE(fill.width(), expectedFill(ListBarWidth, std::max(readBack, 0.0)));
        QCOMPARE(fill.height(), ListBarHeight);
    }

    void speedSitsBeforeItsUnit()
    {
        PlacedBar placed;
        placed.bar.setSpeeds(0.5);
        QCOMPARE(placed.bar.elementText(BarElement::Speed), QStringLiteral(" .5"));
        QCOMPARE(placed.bar.speeds(), 0.5);
        const QRect shortSpeed = placed.element(BarElement::Speed);
        QCOMPARE(placed.rightEdge(BarElement::Speed), ListBarWidth - 400);
        QCOMPARE(placed.element(BarElement::KbLabel).left(), placed.rightEdge(BarElement::Speed));
        QCOMPARE(shortSpeed.top(), 440);
        QCOMPARE(placed.element(BarElement::KbLabel).top(), 440);

        placed.bar.setSpeeds(12345.75);
        QVERIFY(placed.element(BarElement::Speed).left() < shortSpeed.left());
        QCOMPARE(placed.rightEdge(BarElement::Speed), ListBarWidth - 400);
        QCOMPARE(placed.element(BarElement::KbLabel).left(), placed.rightEdge(BarElement::Speed));
    }

    void stateTextKeepsToTheBottomRight()
    {
        PlacedBar placed;
        placed.bar.setTagged(QStringLiteral("就绪"));
        const int shortWidth = placed.element(BarElement::Sizes).width();
        placed.bar.setTagged(QStringLiteral("正在分析第12页，共找到34张图片"));
        const QRect sizes = placed.element(BarElement::Sizes);
        QVERIFY(sizes.width() > shortWidth);
        QCOMPARE(sizes.left() + sizes.width(), ListBarWidth - 100);
        QCOMPARE(sizes.top() + sizes.height(), ListBarHeight - 120);
        QCOMPARE(placed.bar.Tagged(), QStringLiteral("正在分析第12页，共找到34张图片"));
    }

    void nameMovesOnlyWhenItChanges()
    {
        PlacedBar placed;
        placed.bar.setTaskName(QStringLiteral("第一话"));
        QCOMPARE(placed.element(BarElement::Name).topLeft(), QPoint(960, 250));

        placed.bar.setMiniMode(true); // puts the name at top 200
        placed.bar.setTaskName(QStringLiteral("第一话"));
        QCOMPARE(placed.element(BarElement::Name).top(), 200);
        placed.bar.setTaskName(QStringLiteral("第二话"));
        QCOMPARE(placed.element(BarElement::Name).topLeft(), QPoint(400, 250));
    }

    void miniLayout()
    {
        PlacedBar placed;
        placed.bar.setProgress(40);
        placed.bar.setMiniMode(true);
        QVERIFY(placed.bar.MiniMode());
        QCOMPARE(placed.bar.geometryTwips().height(), 500);
        QCOMPARE(placed.element(BarElement::Image), QRect(50, 100, 300, 300));
        QCOMPARE(placed.element(BarElement::Name).topLeft(), QPoint(400, 200));
        QVERIFY(!placed.bar.isElementShown(BarElement::Urls));
        QVERIFY(!placed.bar.isElementShown(BarElement::Sizes));
        QCOMPARE(placed.element(BarElement::Fill).height(), 500);
        QCOMPARE(placed.element(BarElement::Fill).width(), expectedFill(ListBarWidth, 40));
        QCOMPARE(placed.element(BarElement::Panel), QRect(0, 0, ListBarWidth, 500));
        QCOMPARE(placed.bar.lineTwips(), QLine(0, ListBarHeight - 10, ListBarWidth, ListBarHeight - 10));
        QCOMPARE(placed.element(BarElement::Speed).top(), 440);

        // back to normal: the details return, the height stays
        placed.bar.setMiniMode(false);
        QVERIFY(placed.bar.isElementShown(BarElement::Urls));
        QCOMPARE(placed.bar.geometryTwips().height(), 500);
        QCOMPARE(placed.element(BarElement::Image), QRect(240, 240, 660, 660));
        QCOMPARE(placed.element(BarElement::Name).left(), 960);
    }

    void wideningFollowsTheRightEdge()
    {
        PlacedBar placed;
        placed.bar.setProgress(37);
        placed.bar.setSpeeds(88);
        placed.bar.setWidthTwips(9000);
        QCOMPARE(placed.element(BarElement::Fill).width(), expectedFill(9000, 37));
        QCOMPARE(placed.rightEdge(BarElement::Speed), 9000 - 400);
        QCOMPARE(placed.rightEdge(BarElement::Sizes), 9000 - 100);
        QCOMPARE(placed.bar.lineTwips().x2(), 9000);
        QCOMPARE(placed.bar.width(), 600);
    }

    void pressRaisesClick_data()
    {
        QTest::addColumn<QSize>("barPixels");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("clicks");
        const QSize wide(500, 100);
        QTest::newRow("top-left corner") << wide << QPoint(0, 0) << Qt::LeftButton << 1;
        QTest::newRow("over the picture") << wide << QPoint(30, 30) << Qt::LeftButton << 1;
        QTest::newRow("over the name, right button") << wide << QPoint(70, 18) << Qt::RightButton << 1;
        QTest::newRow("over the speed, middle button") << wide << QPoint(320, 32) << Qt::MiddleButton << 1;
        QTest::newRow("last pixel of the area") << wide << QPoint(448, 80) << Qt::LeftButton << 1;
        QTest::newRow("right of 6735 twips") << wide << QPoint(449, 10) << Qt::LeftButton << 0;
        QTest::newRow("below 1215 twips") << wide << QPoint(10, 81) << Qt::LeftButton << 0;
    }
    void pressRaisesClick()
    {
        QFETCH(QSize, barPixels);
        QFETCH(QPoint, at);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, clicks);
        ZanvoDownbar bar;
        bar.resize(barPixels);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QSignalSpy spy(&bar, &ZanvoDownbar::Click);
        QTest::mousePress(&bar, button, {}, at);
        QCOMPARE(spy.count(), clicks);
        QTest::mouseRelease(&bar, button, {}, at);
        QCOMPARE(spy.count(), clicks);
    }

    // The window system turns the second press of a double click into a double-click event (press,
    // release, double click, release); each of the two presses raises Click.
    void doubleClickRaisesClickPerPress()
    {
        ZanvoDownbar bar;
        bar.resize(460, 89);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QSignalSpy spy(&bar, &ZanvoDownbar::Click);
        QTest::mouseDClick(bar.windowHandle(), Qt::LeftButton, {}, QPoint(30, 30));
        QCOMPARE(spy.count(), 2);
    }

    // Setting the state text or the mini flag lays the bar out even when the value stays, which
    // puts a mini bar's name back at top 200 after a name change moved it to 250.
    void layoutPassRunsForUnchangedValues()
    {
        PlacedBar placed;
        placed.bar.setTagged(QStringLiteral("就绪"));
        placed.bar.setMiniMode(true);
        placed.bar.setTaskName(QStringLiteral("新名字"));
        QCOMPARE(placed.element(BarElement::Name).topLeft(), QPoint(400, 250));
        placed.bar.setTagged(QStringLiteral("就绪"));
        QCOMPARE(placed.element(BarElement::Name).topLeft(), QPoint(400, 200));

        placed.bar.setTaskName(QStringLiteral("又一个名字"));
        placed.bar.setMiniMode(true);
        QCOMPARE(placed.element(BarElement::Name).topLeft(), QPoint(400, 200));
    }

    void speedIsPlacedEvenWhenItsTextStays()
    {
        BarPropertyBag bag;
        bag.write(QStringLiteral("Speeds"), QStringLiteral(" 5"), {});
        ZanvoDownbar bar;
        bar.readProperties(bag); // the restored text is not placed yet
        QCOMPARE(bar.elementTwips(BarElement::Speed).top(), 600);
        bar.setSpeeds(5);
        const QRect speed = bar.elementTwips(BarElement::Speed);
        QCOMPARE(speed.top(), 440);
        QCOMPARE(speed.left() + speed.width(), ZanvoDownbar::DesignWidth - 400);
        QCOMPARE(bar.elementTwips(BarElement::KbLabel).topLeft(), QPoint(speed.left() + speed.width(), 440));
    }

    void fillLiesUnderTextsAndLine()
    {
        PlacedBar placed;
        placed.bar.setProgress(37);
        placed.bar.setTaskName(QStringLiteral("黑体的名字"));
        const QImage shot = placed.bar.grab().toImage();
        const QColor fill = toQColor(rgbValue(179, 198, 226));
        const QColor back = toQColor(rgbValue(224, 224, 224));
        QCOMPARE(shot.pixelColor(2, 2), fill);
        QCOMPARE(shot.pixelColor(455, 2), back);
        // the separator: y = H - 10 twips, row 88 of 89
        QCOMPARE(shot.pixelColor(300, 88), QColor(128, 128, 128));
        // the name is drawn over the fill: the name's box holds both fill and text pixels
        const QRect name(64, 17, placed.element(BarElement::Name).width() / 15, 10);
        bool sawFill = false;
        bool sawInk = false;
        for (int x = name.left(); x <= name.right(); ++x) {
            for (int y = name.top(); y <= name.bottom(); ++y) {
                const QColor c = shot.pixelColor(x, y);
                sawFill |= c == fill;
                sawInk |= c.red() < 120 && c.blue() > c.red();
            }
        }
        QVERIFY(sawFill);
        QVERIFY(sawInk);
    }

    void longAddressIsCutAtItsBox()
    {
        PlacedBar placed;
        placed.bar.setProgress(0);
        placed.bar.setURL(QStringLiteral("http://127.0.0.1/") + QString(200, u'w'));
        const QImage shot = placed.bar.grab().toImage();
        const QColor back = toQColor(rgbValue(224, 224, 224));
        const QRect urls = placed.element(BarElement::Urls);
        const int boxEnd = (urls.left() + urls.width()) / 15;
        const int speedStart = placed.element(BarElement::Speed).left() / 15;
        bool inkInBox = false;
        for (int y = urls.top() / 15; y < (urls.top() + urls.height()) / 15; ++y) {
            inkInBox |= shot.pixelColor(boxEnd - 3, y) != back;
            for (int x = boxEnd + 1; x < speedStart; ++x)
                QCOMPARE(shot.pixelColor(x, y), back);
        }
        QVERIFY(inkInBox);
    }

    void storedSettingsSkipDefaults()
    {
        ZanvoDownbar bar;
        BarPropertyBag untouched;
        bar.writeProperties(untouched);
        QVERIFY(untouched.keys().isEmpty());

        bar.setMiniMode(true);
        bar.setBarColor(rgbValue(1, 2, 3));
        bar.setSpeeds(12);
        bar.setProgress(37);
        BarPropertyBag changed;
        bar.writeProperties(changed);
        QCOMPARE(changed.keys(), (QStringList{"MiniMode", "Speeds", "Progress", "BarColor"}));
        QCOMPARE(changed.read(QStringLiteral("speeds"), {}).toString(), QStringLiteral(" 12"));
    }

    void restoreReadsKeysWithoutCase()
    {
        BarPropertyBag bag;
        bag.write(QStringLiteral("progress"), QStringLiteral(" 37"), {});
        bag.write(QStringLiteral("TASKNAME"), QStringLiteral("海贼"), {});
        bag.write(QStringLiteral("minimode"), true, {});
        bag.write(QStringLiteral("barbcolor"), rgbValue(9, 8, 7), {});
        ZanvoDownbar bar;
        bar.readProperties(bag);
        QCOMPARE(bar.Progress(), 37.0);
        QCOMPARE(bar.elementTwips(BarElement::Fill).width(), expectedFill(6735, 37));
        QCOMPARE(bar.TaskName(), QStringLiteral("海贼"));
        QCOMPARE(bar.elementTwips(BarElement::Name).top(), 250);
        QCOMPARE(bar.BarBColor(), rgbValue(9, 8, 7));
        // the flag is restored; the layout waits for the placement
        QVERIFY(bar.MiniMode());
        QCOMPARE(bar.geometryTwips().height(), 1230);
        QCOMPARE(bar.URL(), QStringLiteral("Example"));
        QCOMPARE(bar.Pictures(), builtinBarPicture());
    }

    void storedSettingsRoundTrip()
    {
        ZanvoDownbar source;
        source.setTaskName(QStringLiteral("名"));
        source.setURL(QStringLiteral("http://127.0.0.1/1.html"));
        source.setTagged(QStringLiteral("下载完成!"));
        source.setProgress(100);
        source.setSpeeds(0.5);
        source.setBarBColor(rgbValue(255, 234, 162));
        QImage picture(8, 8, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::red);
        source.setPictures(picture);
        BarPropertyBag bag;
        source.writeProperties(bag);

        ZanvoDownbar copy;
        copy.readProperties(bag);
        QCOMPARE(copy.TaskName(), source.TaskName());
        QCOMPARE(copy.URL(), source.URL());
        QCOMPARE(copy.Tagged(), source.Tagged());
        QCOMPARE(copy.Progress(), 100.0);
        QCOMPARE(copy.speeds(), 0.5);
        QCOMPARE(copy.BarBColor(), source.BarBColor());
        QCOMPARE(copy.BarColor(), source.BarColor());
        QCOMPARE(copy.Pictures(), picture);
    }
};

QTEST_MAIN(TestZanvoDownbar)
#include "tst_zanvodownbar.moc"
