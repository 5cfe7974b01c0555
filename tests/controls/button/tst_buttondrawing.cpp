#include "controls/button/buttondrawing.h"
#include "controls/button/updateregion.h"
#include "controls/common/colorvalue.h"

#include <QtTest>

namespace {

int rgb(int r, int g, int b)
{
    return int(rgbValue(r, g, b));
}

QImage surfaceOf(int width, int height, int colour)
{
    QImage surface = makeButtonSurface(width, height);
    FillArea(surface, {0, 0, width, height}, colour);
    return surface;
}

// The pixels of row y (or column x) as colours, for comparing whole lines at once.
QList<int> rowOf(const QImage &surface, int y)
{
    QList<int> row;
    for (int x = 0; x < surface.width(); ++x)
        row.append(pixelColor(surface, x, y));
    return row;
}

QList<int> columnOf(const QImage &surface, int x)
{
    QList<int> column;
    for (int y = 0; y < surface.height(); ++y)
        column.append(pixelColor(surface, x, y));
    return column;
}

} // namespace

class TestButtonDrawing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shiftColor_data();
    void shiftColor();
    void midColor_data();
    void midColor();
    void translateColor_data();
    void translateColor();
    void singlePixelGradientAveragesHalves();
    void horizontalGradientTruncatesSteps();
    void verticalAndDiagonalGradientsStartWhereTheySay();
    void gradientIsClippedAndIgnoresEmptySizes();
    void lineLeavesItsEndPoint();
    void frameOutlinesAndClips();
    void unresolvedColourDrawsNothing();
    void cornersSoftenTheFourInnerPixels();
    void edgesUseLightOverDark();
    void focusRectangleTwiceRestoresTheSurface();
    void regionShapes_data();
    void regionShapes();
};

void TestButtonDrawing::shiftColor_data()
{
    QTest::addColumn<int>("colour");
    QTest::addColumn<float>("amount");
    QTest::addColumn<int>("expected");
    QTest::newRow("lighten clamps at 255, halves go to even")
        << rgb(250, 10, 128) << 0.1f << rgb(255, 36, 154);
    QTest::newRow("darken clamps at 0") << rgb(250, 10, 128) << -0.1f << rgb(224, 0, 102);
    QTest::newRow("128.5 rounds to 128") << rgb(1, 2, 3) << 0.5f << rgb(128, 130, 130);
    QTest::newRow("style 4 face") << rgb(212, 212, 212) << 0.06f << rgb(227, 227, 227);
    QTest::newRow("style 2 top") << rgb(236, 235, 231) << 0.07f << rgb(254, 253, 249);
    QTest::newRow("zero amount keeps the colour") << rgb(7, 8, 9) << 0.0f << rgb(7, 8, 9);
    // The step is 51.5000038 in single precision; a single-precision sum would make it 130.5.
    QTest::newRow("channel added in double precision")
        << rgb(79, 79, 79) << 0.201960802f << rgb(131, 131, 131);
}

void TestButtonDrawing::shiftColor()
{
    QFETCH(int, colour);
    QFETCH(float, amount);
    QFETCH(int, expected);
    QCOMPARE(ShiftColor(colour, amount), expected);
}

void TestButtonDrawing::midColor_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("expected");
    QTest::newRow("halves to even") << rgb(1, 2, 3) << rgb(2, 3, 4) << rgb(2, 2, 4);
    QTest::newRow("white and black") << rgb(255, 255, 255) << rgb(0, 0, 0) << rgb(128, 128, 128);
}

void TestButtonDrawing::midColor()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, expected);
    QCOMPARE(MidColor(a, b), expected);
}

void TestButtonDrawing::translateColor_data()
{
    QTest::addColumn<quint32>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("rgb gives itself") << rgbValue(0, 109, 170) << rgb(0, 109, 170);
    QTest::newRow("unknown system index") << systemColor(99) << -1;
    QTest::newRow("stray high byte") << 0x01000005u << -1;
}

void TestButtonDrawing::translateColor()
{
    QFETCH(quint32, stored);
    QFETCH(int, expected);
    QCOMPARE(TranslateColor(stored), expected);
}

void TestButtonDrawing::singlePixelGradientAveragesHalves()
{
    QImage surface = surfaceOf(3, 1, 0);
    DrawGradient(surface, 0, 0, 3, 1, rgb(255, 255, 255), rgb(255, 255, 255), GradientDirection::Vertical);
    QCOMPARE(rowOf(surface, 0), QList<int>(3, rgb(254, 254, 254)));
}

void TestButtonDrawing::horizontalGradientTruncatesSteps()
{
    QImage surface = surfaceOf(11, 2, 0);
    DrawGradient(surface, 0, 0, 11, 2, 0, rgb(100, 0, 0), GradientDirection::Horizontal);
    QList<int> expected;
    for (int i = 0; i <= 10; ++i)
        expected.append(rgb(10 * i, 0, 0));
    QCOMPARE(rowOf(surface, 0), expected);
    QCOMPARE(rowOf(surface, 1), expected);

    // 0 -> 10 over 3 steps: 0, 3, 6, 10 (each step truncated, not accumulated).
    QImage short4 = surfaceOf(4, 1, 0);
    DrawGradient(short4, 0, 0, 4, 1, 0, rgb(10, 0, 0), GradientDirection::Horizontal);
    QCOMPARE(rowOf(short4, 0), (QList<int>{0, rgb(3, 0, 0), rgb(6, 0, 0), rgb(10, 0, 0)}));
}

void TestButtonDrawing::verticalAndDiagonalGradientsStartWhereTheySay()
{
    QImage vertical = surfaceOf(2, 3, 0);
    DrawGradient(vertical, 0, 0, 2, 3, rgb(0, 0, 0), rgb(0, 20, 0), GradientDirection::Vertical);
    QCOMPARE(columnOf(vertical, 1), (QList<int>{0, rgb(0, 10, 0), rgb(0, 20, 0)}));

    // Diagonal down: n = 2 + 2 - 2 = 2, from at the top left, to at the bottom right.
    QImage down = surfaceOf(2, 2, 0);
    DrawGradient(down, 0, 0, 2, 2, 0, rgb(0, 0, 100), GradientDirection::DiagonalDown);
    QCOMPARE(rowOf(down, 0), (QList<int>{0, rgb(0, 0, 50)}));
    QCOMPARE(rowOf(down, 1), (QList<int>{rgb(0, 0, 50), rgb(0, 0, 100)}));

    QImage up = surfaceOf(2, 2, 0);
    DrawGradient(up, 0, 0, 2, 2, 0, rgb(0, 0, 100), GradientDirection::DiagonalUp);
    QCOMPARE(rowOf(up, 1), (QList<int>{0, rgb(0, 0, 50)}));
    QCOMPARE(rowOf(up, 0), (QList<int>{rgb(0, 0, 50), rgb(0, 0, 100)}));
}

void TestButtonDrawing::gradientIsClippedAndIgnoresEmptySizes()
{
    QImage surface = surfaceOf(4, 4, rgb(9, 9, 9));
    DrawGradient(surface, 2, 2, 0, 5, 0, 0, GradientDirection::Vertical);
    DrawGradient(surface, 2, 2, 5, -1, 0, 0, GradientDirection::Vertical);
    QCOMPARE(pixelColor(surface, 2, 2), rgb(9, 9, 9));

    // The band keeps the steps of its full height even where it runs off the surface.
    DrawGradient(surface, -1, 2, 10, 5, 0, rgb(40, 0, 0), GradientDirection::Vertical);
    QCOMPARE(columnOf(surface, 0), (QList<int>{rgb(9, 9, 9), rgb(9, 9, 9), 0, rgb(10, 0, 0)}));
}

void TestButtonDrawing::lineLeavesItsEndPoint()
{
    QImage surface = surfaceOf(5, 3, 0);
    const int c = rgb(1, 2, 3);
    DrawLine(surface, 1, 1, 4, 1, c);
    QCOMPARE(rowOf(surface, 1), (QList<int>{0, c, c, c, 0}));
    DrawLine(surface, 0, 2, 0, 0, c);
    QCOMPARE(columnOf(surface, 0), (QList<int>{0, c, c}));
    DrawLine(surface, 3, 0, 3, 0, rgb(7, 7, 7)); // zero length: nothing
    QCOMPARE(pixelColor(surface, 3, 0), 0);
}

void TestButtonDrawing::frameOutlinesAndClips()
{
    QImage surface = surfaceOf(4, 4, 0);
    const int c = rgb(5, 5, 5);
    DrawFrame(surface, 0, 0, 5, 5, c); // right and bottom sides fall outside
    QCOMPARE(rowOf(surface, 0), QList<int>(4, c));
    QCOMPARE(rowOf(surface, 3), (QList<int>{c, 0, 0, 0}));
    QCOMPARE(columnOf(surface, 3), (QList<int>{c, 0, 0, 0}));

    QImage small = surfaceOf(4, 4, 0);
    DrawFrame(small, 1, 1, 2, 2, c);
    QCOMPARE(rowOf(small, 1), (QList<int>{0, c, c, 0}));
    QCOMPARE(rowOf(small, 2), (QList<int>{0, c, c, 0}));
    QCOMPARE(rowOf(small, 3), QList<int>(4, 0));
}

void TestButtonDrawing::unresolvedColourDrawsNothing()
{
    QImage surface = surfaceOf(3, 3, rgb(4, 4, 4));
    FillArea(surface, {0, 0, 3, 3}, -1);
    DrawFrame(surface, 0, 0, 3, 3, -1);
    DrawLine(surface, 0, 0, 3, 0, -1);
    DrawCorners(surface, -1);
    QCOMPARE(rowOf(surface, 0), QList<int>(3, rgb(4, 4, 4)));
}

void TestButtonDrawing::cornersSoftenTheFourInnerPixels()
{
    QImage surface = surfaceOf(5, 4, 0);
    const int c = rgb(1, 1, 1);
    DrawCorners(surface, c);
    QCOMPARE(rowOf(surface, 1), (QList<int>{0, c, 0, c, 0}));
    QCOMPARE(rowOf(surface, 2), (QList<int>{0, c, 0, c, 0}));
    QCOMPARE(rowOf(surface, 0), QList<int>(5, 0));
}

void TestButtonDrawing::edgesUseLightOverDark()
{
    const int highlight = TranslateColor(SystemColor::ButtonHighlight);
    const int light = TranslateColor(SystemColor::ButtonLight);
    const int shadow = TranslateColor(SystemColor::ButtonShadow);
    const int dark = TranslateColor(SystemColor::DarkShadow);

    QImage raised = surfaceOf(6, 6, 0);
    DrawEdge(raised, {0, 0, 6, 6}, EdgeKind::Raised);
    QCOMPARE(rowOf(raised, 0), (QList<int>{light, light, light, light, light, dark}));
    QCOMPARE(rowOf(raised, 1), (QList<int>{light, highlight, highlight, highlight, shadow, dark}));
    QCOMPARE(rowOf(raised, 5), QList<int>(6, dark));
    QCOMPARE(pixelColor(raised, 2, 2), 0);

    QImage thin = surfaceOf(4, 4, 0);
    DrawEdge(thin, {0, 0, 4, 4}, EdgeKind::RaisedThin);
    QCOMPARE(rowOf(thin, 0), (QList<int>{highlight, highlight, highlight, shadow}));
    QCOMPARE(pixelColor(thin, 1, 1), 0);

    QImage sunken = surfaceOf(6, 6, 0);
    DrawEdge(sunken, {0, 0, 6, 6}, EdgeKind::Sunken);
    QCOMPARE(rowOf(sunken, 0), (QList<int>{shadow, shadow, shadow, shadow, shadow, highlight}));
    QCOMPARE(rowOf(sunken, 1), (QList<int>{shadow, dark, dark, dark, light, highlight}));
}

void TestButtonDrawing::focusRectangleTwiceRestoresTheSurface()
{
    QImage surface = surfaceOf(8, 6, rgb(200, 100, 50));
    const QImage before = surface.copy();
    DrawFocusRect(surface, {1, 1, 7, 5});
    QCOMPARE(pixelColor(surface, 1, 1), rgb(55, 155, 205)); // inverted
    QCOMPARE(pixelColor(surface, 2, 1), rgb(200, 100, 50)); // dotted: every other pixel
    QCOMPARE(pixelColor(surface, 3, 3), rgb(200, 100, 50)); // inside untouched
    QCOMPARE(pixelColor(surface, 0, 0), rgb(200, 100, 50)); // outside untouched
    DrawFocusRect(surface, {1, 1, 7, 5});
    QCOMPARE(surface, before);
}

void TestButtonDrawing::regionShapes_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("cornerCut");
    QTest::newRow("plain style 0") << 0 << false;
    QTest::newRow("plain style 7") << 7 << false;
    QTest::newRow("plain style outside the range") << 42 << false;
    QTest::newRow("rounded 3x3 style 2") << 2 << true;
    QTest::newRow("rounded 4x4 style 10") << 10 << true;
    QTest::newRow("rounded 18x18 style 14") << 14 << true;
}

void TestButtonDrawing::regionShapes()
{
    QFETCH(int, style);
    QFETCH(bool, cornerCut);
    const QRegion shape = UpdateRegion(style, 40, 30);
    QCOMPARE(shape.boundingRect(), QRect(0, 0, 40, 30));
    for (const QPoint corner : {QPoint(0, 0), QPoint(39, 0), QPoint(0, 29), QPoint(39, 29)})
        QCOMPARE(shape.contains(corner), !cornerCut);
    QVERIFY(shape.contains(QPoint(20, 0)));
    QVERIFY(shape.contains(QPoint(0, 15)));
    QVERIFY(shape.contains(QPoint(39, 15)));
    if (style == 14) // the strong rounding cuts well into the edges
        QVERIFY(!shape.contains(QPoint(3, 1)) && !shape.contains(QPoint(1, 3)));
    if (style == 2) // the slight rounding only the corner pixel
        QVERIFY(shape.contains(QPoint(1, 0)) && shape.contains(QPoint(0, 1)));
}

QTEST_GUILESS_MAIN(TestButtonDrawing)
#include "tst_buttondrawing.moc"
