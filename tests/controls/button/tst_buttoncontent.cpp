#include "controls/button/buttoncontent.h"
#include "controls/button/buttondrawing.h"
#include "controls/button/contentlayout.h"
#include "controls/button/pexbutton.h"
#include "controls/common/colorvalue.h"
#include "controls/common/uifonts.h"

#include <QPainter>
#include <QtTest>

namespace {

constexpr int Background = int(rgbValue(10, 20, 30));
constexpr int Red = int(rgbValue(255, 0, 0));
constexpr int Text = int(rgbValue(0, 0, 255));

QImage plainSurface(int width, int height)
{
    QImage surface = makeButtonSurface(width, height);
    FillArea(surface, {0, 0, width, height}, Background);
    return surface;
}

QImage filled(int width, int height, QColor colour, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(width, height, format);
    image.fill(colour);
    return image;
}

ButtonContentInput captionOnly(const QString &caption)
{
    ButtonContentInput in;
    in.buttonStyle = 7;
    in.caption = caption;
    in.font = windowFont();
    in.foreColor = Text;
    return in;
}

// The smallest rectangle holding every pixel of the colour; null when there is none.
QRect boundsOf(const QImage &surface, int colour)
{
    QRect bounds;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (pixelColor(surface, x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

int countOf(const QImage &surface, int colour)
{
    int count = 0;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x)
            count += pixelColor(surface, x, y) == colour ? 1 : 0;
    }
    return count;
}

} // namespace

class TestButtonContent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placement_data();
    void placement();
    void boxShrinksToTheButton();
    void iconAtLeftEdgeOfAButton();
    void iconIsScaledBitmapIsCropped();
    void iconKeepsTransparencyBitmapHonoursMaskColour();
    void hoverPictureOfAnotherKindIsNeverShown();
    void checkedIconDrawsTheHoverPictureOver();
    void disabledButtonIsGrey();
    void grayedBitmapCoversItsBox();
    void captionIsCentredAndFramed();
    void captionIsOneClippedLine();
    void shadowedStyleMovesTheCaption();
    void ampersandsAreProcessed();
};

void TestButtonContent::placement_data()
{
    // A 100 x 30 button, a 16 x 16 box, a caption of 40 x 14 unless the row says otherwise.
    QTest::addColumn<int>("pictureAlign");
    QTest::addColumn<int>("captionAlign");
    QTest::addColumn<bool>("hasPicture");
    QTest::addColumn<bool>("accessKey");
    QTest::addColumn<QList<int>>("expected"); // picX, picY, capX, capY

    QTest::newRow("left edge, centred") << 0 << 1 << true << false << QList<int>{4, 7, 38, 8};
    QTest::newRow("left of caption, centred") << 1 << 1 << true << false << QList<int>{22, 7, 41, 8};
    QTest::newRow("right edge, centred") << 2 << 1 << true << false << QList<int>{80, 7, 30, 8};
    QTest::newRow("right of caption, centred") << 3 << 1 << true << false << QList<int>{62, 7, 19, 8};
    QTest::newRow("behind") << 4 << 1 << true << false << QList<int>{42, 7, 30, 8};
    QTest::newRow("top edge") << 5 << 1 << true << false << QList<int>{42, 4, 30, 18};
    QTest::newRow("above caption") << 6 << 1 << true << false << QList<int>{42, 4, 30, 18};
    QTest::newRow("bottom edge") << 7 << 1 << true << false << QList<int>{42, 10, 30, -2};
    QTest::newRow("below caption") << 8 << 1 << true << false << QList<int>{42, 10, 30, -2};
    QTest::newRow("unknown alignment") << 9 << 1 << true << false << QList<int>{1, 1, 0, 0};

    QTest::newRow("left edge, left") << 0 << 0 << true << false << QList<int>{4, 7, 24, 8};
    QTest::newRow("left of caption, left") << 1 << 0 << true << false << QList<int>{4, 7, 24, 8};
    QTest::newRow("right edge, left") << 2 << 0 << true << false << QList<int>{80, 7, 4, 8};
    QTest::newRow("right of caption, left") << 3 << 0 << true << false << QList<int>{44, 7, 4, 8};
    QTest::newRow("top edge, left") << 5 << 0 << true << false << QList<int>{42, 4, 4, 18};

    QTest::newRow("left edge, right") << 0 << 2 << true << false << QList<int>{4, 7, 56, 8};
    QTest::newRow("left of caption, right") << 1 << 2 << true << false << QList<int>{36, 7, 56, 8};
    QTest::newRow("right edge, right") << 2 << 2 << true << false << QList<int>{80, 7, 40, 8};
    QTest::newRow("right of caption, right") << 3 << 2 << true << false << QList<int>{80, 7, 40, 8};
    QTest::newRow("below caption, right") << 8 << 2 << true << false << QList<int>{42, 10, 56, -2};
    QTest::newRow("unknown caption alignment") << 0 << 7 << true << false << QList<int>{4, 7, 38, 8};

    QTest::newRow("no picture, centred") << 0 << 1 << false << false << QList<int>{0, 0, 30, 8};
    QTest::newRow("no picture, left") << 5 << 0 << false << false << QList<int>{0, 0, 4, 8};
    QTest::newRow("no picture, right") << 1 << 2 << false << false << QList<int>{0, 0, 56, 8};
    QTest::newRow("access key moves the caption") << 0 << 1 << true << true << QList<int>{4, 7, 41, 8};
    QTest::newRow("access key without picture") << 0 << 1 << false << true << QList<int>{0, 0, 33, 8};
}

void TestButtonContent::placement()
{
    QFETCH(int, pictureAlign);
    QFETCH(int, captionAlign);
    QFETCH(bool, hasPicture);
    QFETCH(bool, accessKey);
    QFETCH(QList<int>, expected);
    ContentMetrics metrics{100, 30, 16, 16, 40, 14, pictureAlign, captionAlign, hasPicture, accessKey};
    const ContentPlacement p = placeContent(metrics);
    QCOMPARE((QList<int>{p.picX, p.picY, p.capX, p.capY}), expected);
}

void TestButtonContent::boxShrinksToTheButton()
{
    // A 32 x 32 box on a 20 x 20 button: raised to (1, 1), then cut to W - 8 by H - 4.
    const ContentPlacement p = placeContent({20, 20, 32, 32, 10, 14, 0, 1, true, false});
    QCOMPARE((QList<int>{p.picX, p.picY, p.pictureWidth, p.pictureHeight}), (QList<int>{4, 1, 12, 16}));

    // Right of a caption wider than the button: the caption falls back to the right-hand rule.
    const ContentPlacement wide = placeContent({50, 30, 16, 16, 60, 14, 3, 1, true, false});
    QCOMPARE(wide.capX, 50 - 60 - 16 - 4);

    // Right edge with a caption that leaves no room: centring and left alignment both keep the
    // negative left of the right-hand rule.
    for (const int captionAlign : {0, 1})
        QCOMPARE(placeContent({100, 30, 16, 16, 90, 14, 2, captionAlign, true, false}).capX,
                 100 - 90 - 16 - 4);
}

void TestButtonContent::iconAtLeftEdgeOfAButton()
{
    pexbutton button;
    button.resize(100, 30);
    button.setCaption(QString());
    button.setPictureAlign(0);
    button.setPicture(ButtonPicture::icon(filled(16, 16, Qt::red)));
    QCOMPARE(boundsOf(button.surface(), Red), QRect(4, 7, 16, 16));
}

void TestButtonContent::iconIsScaledBitmapIsCropped()
{
    // Left half red, right half green, 32 x 32, into a 16 x 16 box.
    QImage halves = filled(32, 32, Qt::green);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 16; ++x)
            halves.setPixelColor(x, y, Qt::red);
    }
    const int green = int(rgbValue(0, 255, 0));
    ButtonContentInput in = captionOnly(QString());
    in.pictureSize = 1;
    in.pictureAlign = 4;

    QImage iconSurface = plainSurface(40, 40);
    in.picture = ButtonPicture::icon(halves);
    DrawContent(iconSurface, in);
    QCOMPARE(boundsOf(iconSurface, Red), QRect(12, 12, 8, 16));
    QCOMPARE(boundsOf(iconSurface, green), QRect(20, 12, 8, 16));

    QImage bitmapSurface = plainSurface(40, 40);
    in.picture = ButtonPicture::bitmap(halves);
    DrawContent(bitmapSurface, in);
    QCOMPARE(boundsOf(bitmapSurface, Red), QRect(12, 12, 16, 16));
    QCOMPARE(countOf(bitmapSurface, green), 0);

    // A box larger than the bitmap leaves the background beyond the bitmap.
    QImage small = plainSurface(40, 40);
    in.pictureSize = 3;
    in.picture = ButtonPicture::bitmap(filled(8, 8, Qt::red, QImage::Format_RGB32));
    DrawContent(small, in);
    QCOMPARE(boundsOf(small, Red), QRect(4, 4, 8, 8));
}

void TestButtonContent::iconKeepsTransparencyBitmapHonoursMaskColour()
{
    QImage icon = filled(4, 4, Qt::red);
    icon.setPixelColor(0, 0, Qt::transparent);
    ButtonContentInput in = captionOnly(QString());
    in.pictureAlign = 4;
    in.picture = ButtonPicture::icon(icon);
    QImage surface = plainSurface(8, 8);
    DrawContent(surface, in);
    QCOMPARE(pixelColor(surface, 2, 2), Background);
    QCOMPARE(pixelColor(surface, 3, 2), Red);

    QImage bitmap = filled(4, 4, Qt::red, QImage::Format_RGB32);
    bitmap.setPixelColor(1, 1, QColor(224, 224, 224));
    in.picture = ButtonPicture::bitmap(bitmap);
    in.maskColor = int(rgbValue(224, 224, 224));
    QImage masked = plainSurface(8, 8);
    in.useMaskColor = true;
    DrawContent(masked, in);
    QCOMPARE(pixelColor(masked, 3, 3), Background);
    QCOMPARE(pixelColor(masked, 2, 2), Red);
    QImage unmasked = plainSurface(8, 8);
    in.useMaskColor = false;
    DrawContent(unmasked, in);
    QCOMPARE(pixelColor(unmasked, 3, 3), in.maskColor);
}

void TestButtonContent::hoverPictureOfAnotherKindIsNeverShown()
{
    ButtonContentInput in = captionOnly(QString());
    in.pictureAlign = 4;
    in.picture = ButtonPicture::bitmap(filled(4, 4, Qt::red, QImage::Format_RGB32));
    in.pictureHover = ButtonPicture::icon(filled(4, 4, Qt::green));
    in.state = VisualState::StateHover;
    QImage surface = plainSurface(8, 8);
    DrawContent(surface, in);
    QCOMPARE(countOf(surface, Red), 16);

    in.pictureHover = ButtonPicture::bitmap(filled(4, 4, Qt::green, QImage::Format_RGB32));
    DrawContent(surface, in);
    QCOMPARE(countOf(surface, int(rgbValue(0, 255, 0))), 16);
}

void TestButtonContent::checkedIconDrawsTheHoverPictureOver()
{
    QImage hover = filled(4, 4, Qt::transparent);
    hover.setPixelColor(0, 0, Qt::green);
    ButtonContentInput in = captionOnly(QString());
    in.pictureAlign = 4;
    in.picture = ButtonPicture::icon(filled(4, 4, Qt::red));
    in.pictureHover = ButtonPicture::icon(hover);
    in.checkBoxMode = true;
    in.value = true;
    QImage surface = plainSurface(8, 8);
    DrawContent(surface, in); // at rest: the picture, then the hover picture over it
    QCOMPARE(countOf(surface, Red), 15);
    QCOMPARE(pixelColor(surface, 2, 2), int(rgbValue(0, 255, 0)));
}

void TestButtonContent::disabledButtonIsGrey()
{
    QImage icon = filled(16, 16, QColor(30, 60, 91));
    icon.setPixelColor(0, 0, Qt::transparent);
    pexbutton button;
    button.resize(100, 30);
    button.setCaption(QStringLiteral("Disabled"));
    button.setForeColor(rgbValue(0, 0, 255));
    button.setPictureAlign(0);
    button.setPicture(ButtonPicture::icon(icon));
    button.setEnabled(false);
    const QImage &surface = button.surface();
    const int grey = int(rgbValue(60, 60, 60)); // (30 + 60 + 91) / 3, truncated
    QCOMPARE(countOf(surface, grey), 16 * 16 - 1);
    QCOMPARE(boundsOf(surface, grey), QRect(4, 7, 16, 16));
    QVERIFY(pixelColor(surface, 4, 7) != grey); // the transparent corner keeps the background
    QVERIFY(countOf(surface, TranslateColor(SystemColor::GrayText)) > 0);
    QCOMPARE(countOf(surface, Text), 0);
}

void TestButtonContent::grayedBitmapCoversItsBox()
{
    QImage bitmap = filled(2, 2, QColor(255, 0, 0), QImage::Format_RGB32);
    bitmap.setPixelColor(1, 1, Qt::black);
    QImage surface = plainSurface(6, 6);
    DrawGrayed(surface, ButtonPicture::bitmap(bitmap), 1, 1, 4, 4); // stretched 2 x 2 -> 4 x 4
    QCOMPARE(countOf(surface, int(rgbValue(85, 85, 85))), 12);
    QCOMPARE(boundsOf(surface, 0), QRect(3, 3, 2, 2));
    QCOMPARE(pixelColor(surface, 0, 0), Background);
}

void TestButtonContent::captionIsCentredAndFramed()
{
    pexbutton button;
    button.resize(120, 40);
    button.setFont(windowFont());
    button.setCaption(QStringLiteral("确定"));
    const QSize text = captionSize(button.surface(), windowFont(), QStringLiteral("确定"));
    const int capX = 120 / 2 - text.width() / 2;
    const int capY = 40 / 2 - text.height() / 2;
    QCOMPARE(button.captionFrame(),
             (PixelRect{capX - 2, capY, capX + text.width() + 1, capY + text.height() + 1}));

    QImage surface = plainSurface(120, 40);
    ButtonContentInput in = captionOnly(QStringLiteral("确定"));
    const ButtonContentResult result = DrawContent(surface, in);
    QVERIFY(result.captionFrame.has_value());
    const QRect ink = boundsOf(surface, Text);
    QVERIFY(!ink.isNull());
    QVERIFY(QRect(capX, capY, text.width(), text.height()).contains(ink));

    in.state = VisualState::StatePressed; // a pressed drawing keeps the frame of the last one
    QVERIFY(!DrawContent(surface, in).captionFrame.has_value());
}

void TestButtonContent::captionIsOneClippedLine()
{
    const QString caption = QStringLiteral("a caption far wider than its little button");
    QImage surface = plainSurface(60, 40);
    const QSize text = captionSize(surface, windowFont(), caption);
    QVERIFY(text.width() > 60);
    DrawContent(surface, captionOnly(caption));
    const QRect ink = boundsOf(surface, Text);
    const int capY = 40 / 2 - text.height() / 2;
    QVERIFY(ink.top() >= capY);
    QVERIFY(ink.bottom() < capY + text.height()); // one line, no wrap
    QCOMPARE(ink.left() <= 1, true);              // starts left of the button: W / 2 - tw / 2 < 0
    QCOMPARE(ink.right(), 59);                    // and runs to the edge
}

void TestButtonContent::shadowedStyleMovesTheCaption()
{
    const QString caption = QStringLiteral("Go");
    QImage reference = plainSurface(80, 30);
    DrawContent(reference, captionOnly(caption));
    const QRect at = boundsOf(reference, Text);

    ButtonContentInput in = captionOnly(caption);
    in.buttonStyle = 5;
    QImage rest = plainSurface(80, 30);
    DrawContent(rest, in);
    QCOMPARE(boundsOf(rest, Text).topLeft(), at.topLeft() - QPoint(2, 2));
    in.state = VisualState::StatePressed;
    QImage pressed = plainSurface(80, 30);
    DrawContent(pressed, in);
    QCOMPARE(boundsOf(pressed, Text).topLeft(), at.topLeft() + QPoint(1, 2));
}

void TestButtonContent::ampersandsAreProcessed()
{
    // "&&" shows one "&", placed by the width of the text as stored.
    QImage doubled = plainSurface(80, 30);
    ButtonContentInput in = captionOnly(QStringLiteral("A&&B"));
    DrawContent(doubled, in);
    QImage shown = plainSurface(80, 30);
    QPainter painter(&shown);
    QFont font = windowFont();
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 255));
    const QSize size = captionSize(shown, windowFont(), QStringLiteral("A&&B"));
    const int capX = 40 - size.width() / 2;
    const int capY = 15 - size.height() / 2;
    painter.setClipRect(QRect(capX, capY, size.width(), size.height()));
    painter.drawText(QRect(capX, capY, size.width(), size.height()), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("A&B"));
    painter.end();
    QCOMPARE(doubled, shown);

    QImage underlined = plainSurface(80, 30);
    DrawContent(underlined, captionOnly(QStringLiteral("&G")));
    QImage plain = plainSurface(80, 30);
    DrawContent(plain, captionOnly(QStringLiteral("G")));
    // The G has no descender: only an underline reaches below it.
    QVERIFY(boundsOf(underlined, Text).bottom() > boundsOf(plain, Text).bottom());
}

QTEST_MAIN(TestButtonContent)
#include "tst_buttoncontent.moc"
