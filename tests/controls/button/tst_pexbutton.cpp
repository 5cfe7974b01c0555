#include "controls/button/buttondrawing.h"
#include "controls/button/inputcodes.h"
#include "controls/button/pexbutton.h"
#include "controls/common/colorvalue.h"
#include "scriptedmessagebox.h"

#include <functional>
#include <memory>
#include <QApplication>
#include <QLineEdit>
#include <QtTest>

namespace {

// Every event of a button, by name and in the order raised.
class EventLog
{
public:
    explicit EventLog(pexbutton &button)
    {
        QObject::connect(&button, &pexbutton::Click, [this] { names.append(QStringLiteral("Click")); });
        QObject::connect(&button, &pexbutton::DblClick, [this] { names.append(QStringLiteral("DblClick")); });
        QObject::connect(&button, &pexbutton::MouseEnter,
                         [this] { names.append(QStringLiteral("MouseEnter")); });
        QObject::connect(&button, &pexbutton::MouseLeave,
                         [this] { names.append(QStringLiteral("MouseLeave")); });
        QObject::connect(&button, &pexbutton::MouseDown, [this](qint16 b, qint16, float, float) {
            names.append(QStringLiteral("MouseDown%1").arg(b));
        });
        QObject::connect(&button, &pexbutton::MouseUp, [this](qint16 b, qint16, float, float) {
            names.append(QStringLiteral("MouseUp%1").arg(b));
        });
        QObject::connect(&button, &pexbutton::KeyDown,
                         [this](qint16 key, qint16) { names.append(QStringLiteral("KeyDown%1").arg(key)); });
        QObject::connect(&button, &pexbutton::KeyUp,
                         [this](qint16 key, qint16) { names.append(QStringLiteral("KeyUp%1").arg(key)); });
    }

    QStringList take() { return std::exchange(names, {}); }

    QStringList names;
};

void sendMouse(QWidget &widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at)
{
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void moveTo(QWidget &widget, QPoint at, Qt::MouseButtons held = Qt::NoButton)
{
    sendMouse(widget, QEvent::MouseMove, Qt::NoButton, held, at);
}

// A script of pointer actions: "down", "up", "upOutside", "rdown", "rup", "dbl", "move", "moveOut".
void play(pexbutton &button, const QString &script)
{
    const QPoint inside(10, 10);
    const QPoint outside(button.width() + 5, 10);
    for (const QString &step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("down"))
            sendMouse(button, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, inside);
        else if (step == QLatin1String("up"))
            sendMouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, inside);
        else if (step == QLatin1String("upOutside"))
            sendMouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, outside);
        else if (step == QLatin1String("rdown"))
            sendMouse(button, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, inside);
        else if (step == QLatin1String("rup"))
            sendMouse(button, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, inside);
        else if (step == QLatin1String("dbl"))
            sendMouse(button, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, inside);
        else if (step == QLatin1String("move"))
            moveTo(button, inside);
        else if (step == QLatin1String("moveOut"))
            moveTo(button, outside);
        else
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
}

void sendKey(QWidget &widget, QEvent::Type type, Qt::Key key,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autoRepeat = false)
{
    QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(&widget, &event);
}

std::unique_ptr<pexbutton> sizedButton()
{
    auto button = std::make_unique<pexbutton>();
    button->resize(100, 30);
    return button;
}

// Two buttons in a window, driven through the window system.
struct ButtonPair
{
    ButtonPair()
    {
        window.resize(240, 60);
        first = new pexbutton(&window, QStringLiteral("first"));
        first->setGeometry(10, 10, 100, 30);
        second = new pexbutton(&window, QStringLiteral("second"));
        second->setGeometry(120, 10, 100, 30);
    }

    bool activate()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    QWidget window;
    pexbutton *first = nullptr;
    pexbutton *second = nullptr;
};

// Closes a delete-on-close window and waits, as the program's long operations do, in a nested
// loop until the window is gone.
void closeAndWait(QWidget *window)
{
    const QPointer<QWidget> target(window);
    QEventLoop wait;
    QObject::connect(window, &QObject::destroyed, &wait, &QEventLoop::quit);
    QTimer::singleShot(0, window, &QWidget::close);
    QTimer::singleShot(5000, &wait, &QEventLoop::quit);
    wait.exec();
    QVERIFY(target.isNull());
}

// Runs action at the given raising of the named event.
void onEvent(pexbutton &button, const QString &event, int occurrence, const std::function<void()> &action)
{
    auto calls = std::make_shared<int>(0);
    const auto run = [=] {
        if (++*calls == occurrence)
            action();
    };
    const auto pointer = [run](qint16, qint16, float, float) { run(); };
    if (event == QLatin1String("Click"))
        QObject::connect(&button, &pexbutton::Click, run);
    else if (event == QLatin1String("KeyUp"))
        QObject::connect(&button, &pexbutton::KeyUp, [run](qint16, qint16) { run(); });
    else if (event == QLatin1String("MouseDown"))
        QObject::connect(&button, &pexbutton::MouseDown, pointer);
    else if (event == QLatin1String("MouseEnter"))
        QObject::connect(&button, &pexbutton::MouseEnter, run);
    else if (event == QLatin1String("MouseLeave"))
        QObject::connect(&button, &pexbutton::MouseLeave, run);
    else
        QFAIL(qPrintable(QStringLiteral("unknown event ") + event));
}

} // namespace

class TestPexButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pointerEventOrders_data();
    void pointerEventOrders();
    void doubleClickFromTheWindowSystem();
    void checkBoxModeToggles_data();
    void checkBoxModeToggles();
    void pressedLookFollowsThePointer();
    void hoverRaisesOneEnterAndOneLeave();
    void spaceClicksOnRelease();
    void spaceHeldWhileThePointerLeaves();
    void heldSpaceTogglesOnce();
    void altSpaceDoesNothing();
    void arrowKeysMoveFocus();
    void accessKeys_data();
    void accessKeys();
    void accessKeyPress();
    void accessKeyThroughTheWindow();
    void enterClicksTheFocusedButton();
    void newButtonTakesStyleSevenDefaults();
    void settingAStyleAppliesItsDefaults_data();
    void settingAStyleAppliesItsDefaults();
    void loadingKeepsStoredColours();
    void valueNeedsCheckBoxMode();
    void checkedButtonDrawsPressed_data();
    void checkedButtonDrawsPressed();
    void sizeNeverBelow220Twips();
    void storageSkipsDefaultsAndKeepsOrder();
    void storageKeysIgnoreCase();
    void storageRoundTrip();
    void pictureHoverFillsAnEmptyPicture();
    void settersReachTheWidget();
    void windowActivation();
    void buttonShownInAnActiveWindow();
    void disabledContainerKeepsTheLook();
    void destroyedWhileAHandlerWaits_data();
    void destroyedWhileAHandlerWaits();
    void spaceReleaseBelongsToItsPress_data();
    void spaceReleaseBelongsToItsPress();
    void containerBackgroundChangeRedraws();
    void systemColoursFollowThePalette();
    void focusLossClearsPressState();
    void handPointerShowsOverTheButton();
    void about();
};

void TestPexButton::pointerEventOrders_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("left click") << "move down up"
                                << QStringList{"MouseEnter", "MouseDown1", "Click", "MouseUp1"};
    QTest::newRow("release outside") << "move down upOutside"
                                     << QStringList{"MouseEnter", "MouseDown1", "MouseUp1"};
    QTest::newRow("right click") << "move rdown rup" << QStringList{"MouseEnter", "MouseUp2"};
    QTest::newRow("double click") << "move down up dbl up"
                                  << QStringList{"MouseEnter", "MouseDown1", "Click", "MouseUp1",
                                                 "MouseDown1", "DblClick",   "Click", "MouseUp1"};
    QTest::newRow("right double click")
        << "move rdown rup dbl rup" << QStringList{"MouseEnter", "MouseUp2", "MouseUp2"};
}

void TestPexButton::pointerEventOrders()
{
    QFETCH(QString, script);
    QFETCH(QStringList, expected);
    auto button = sizedButton();
    EventLog log(*button);
    play(*button, script);
    log.names.removeAll(QStringLiteral("MouseMove")); // not logged, but be explicit
    QCOMPARE(log.names, expected);
}

// The toolkit turns the second press into a double-click event of its own; through the window
// system the order is the same as above.
void TestPexButton::doubleClickFromTheWindowSystem()
{
    QWidget window;
    window.resize(200, 100);
    auto *button = new pexbutton(&window);
    button->setGeometry(10, 10, 100, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    EventLog log(*button);
    QTest::mouseMove(window.windowHandle(), QPoint(20, 20));
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(log.take(), (QStringList{"MouseEnter", "MouseDown1", "Click", "MouseUp1", "MouseDown1",
                                      "DblClick", "Click", "MouseUp1"}));
    QTest::mouseMove(window.windowHandle(), QPoint(190, 90));
    QCOMPARE(log.take(), QStringList{"MouseLeave"});
}

void TestPexButton::checkBoxModeToggles_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("value");
    QTest::newRow("click toggles") << "move down up" << true;
    QTest::newRow("two clicks toggle back") << "move down up down up" << false;
    QTest::newRow("release outside keeps") << "move down upOutside" << false;
    QTest::newRow("double click toggles twice") << "move down up dbl up" << false;
}

void TestPexButton::checkBoxModeToggles()
{
    QFETCH(QString, script);
    QFETCH(bool, value);
    auto button = sizedButton();
    button->setCheckBoxMode(true);
    play(*button, script);
    QCOMPARE(button->Value(), value);
}

void TestPexButton::pressedLookFollowsThePointer()
{
    auto button = sizedButton();
    play(*button, "move");
    QCOMPARE(button->visualState(), VisualState::StateHover);
    play(*button, "down");
    QCOMPARE(button->visualState(), VisualState::StatePressed);
    QVERIFY(button->leftButtonDown());
    // Dragged off while held: the button pops up; back on, it is pressed again.
    moveTo(*button, QPoint(200, 10), Qt::LeftButton);
    QCOMPARE(button->visualState(), VisualState::StateNormal);
    QVERIFY(!button->mouseInside());
    moveTo(*button, QPoint(10, 10), Qt::LeftButton);
    QCOMPARE(button->visualState(), VisualState::StatePressed);
    play(*button, "up");
    QVERIFY(!button->leftButtonDown());
}

void TestPexButton::hoverRaisesOneEnterAndOneLeave()
{
    auto button = sizedButton();
    EventLog log(*button);
    play(*button, "move move moveOut moveOut");
    QEvent leave(QEvent::Leave); // the window system's own notice comes after the movement saw it
    QApplication::sendEvent(button.get(), &leave);
    QCOMPARE(log.take(), (QStringList{"MouseEnter", "MouseLeave"}));
    QCOMPARE(button->visualState(), VisualState::StateNormal);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button.get(), &enter);
    QCOMPARE(log.take(), QStringList{"MouseEnter"});
    QCOMPARE(button->visualState(), VisualState::StateHover);
    QApplication::sendEvent(button.get(), &leave);
    QCOMPARE(log.take(), QStringList{"MouseLeave"});

    button->setEnabled(false);
    QApplication::sendEvent(button.get(), &enter);
    QVERIFY(log.names.isEmpty());
}

void TestPexButton::spaceClicksOnRelease()
{
    auto button = sizedButton();
    EventLog log(*button);
    sendKey(*button, QEvent::KeyPress, Qt::Key_Space);
    QCOMPARE(button->visualState(), VisualState::StatePressed);
    QVERIFY(button->spaceHeld());
    QCOMPARE(log.take(), QStringList{"KeyDown32"});
    sendKey(*button, QEvent::KeyRelease, Qt::Key_Space);
    QCOMPARE(log.take(), (QStringList{"Click", "KeyUp32"}));
    QCOMPARE(button->visualState(), VisualState::StateNormal);

    // Space goes up while the left button is still down: Space does not click, and the press is
    // forgotten, though the release over the button still clicks.
    play(*button, "move down");
    sendKey(*button, QEvent::KeyPress, Qt::Key_Space);
    QVERIFY(!button->spaceHeld());
    sendKey(*button, QEvent::KeyRelease, Qt::Key_Space);
    QVERIFY(!button->leftButtonDown());
    QCOMPARE(button->visualState(), VisualState::StatePressed);
    play(*button, "up");
    QCOMPARE(log.take(),
             (QStringList{"MouseEnter", "MouseDown1", "KeyDown32", "KeyUp32", "Click", "MouseUp1"}));

    // Enter clicks at once; other keys only raise KeyDown, and only Space raises KeyUp.
    sendKey(*button, QEvent::KeyPress, Qt::Key_Return);
    sendKey(*button, QEvent::KeyRelease, Qt::Key_Return);
    sendKey(*button, QEvent::KeyPress, Qt::Key_X);
    sendKey(*button, QEvent::KeyRelease, Qt::Key_X);
    QCOMPARE(log.take(), (QStringList{"Click", "KeyDown13", "KeyDown88"}));
}

void TestPexButton::spaceHeldWhileThePointerLeaves()
{
    auto button = sizedButton();
    EventLog log(*button);
    QEvent leave(QEvent::Leave);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    play(*button, "move");
    sendKey(*button, QEvent::KeyPress, Qt::Key_Space);
    // The held key keeps the pressed look off the button and back on it; both crossings are told.
    QApplication::sendEvent(button.get(), &leave);
    QCOMPARE(button->visualState(), VisualState::StatePressed);
    QApplication::sendEvent(button.get(), &enter);
    QCOMPARE(button->visualState(), VisualState::StatePressed);
    sendKey(*button, QEvent::KeyRelease, Qt::Key_Space);
    QCOMPARE(button->visualState(), VisualState::StateHover);
    QCOMPARE(log.take(),
             (QStringList{"MouseEnter", "KeyDown32", "MouseLeave", "MouseEnter", "Click", "KeyUp32"}));

    // Let go off the button: it still clicks, and comes to rest.
    sendKey(*button, QEvent::KeyPress, Qt::Key_Space);
    QApplication::sendEvent(button.get(), &leave);
    sendKey(*button, QEvent::KeyRelease, Qt::Key_Space);
    QCOMPARE(button->visualState(), VisualState::StateNormal);
    QCOMPARE(log.take(), (QStringList{"KeyDown32", "MouseLeave", "Click", "KeyUp32"}));
}

void TestPexButton::heldSpaceTogglesOnce()
{
    auto button = sizedButton();
    button->setCheckBoxMode(true);
    EventLog log(*button);
    sendKey(*button, QEvent::KeyPress, Qt::Key_Space);
    QVERIFY(button->Value()); // toggled on the way down, clicked on the way up
    QCOMPARE(log.take(), QStringList{"KeyDown32"});
    sendKey(*button, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, true);
    sendKey(*button, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, true);
    sendKey(*button, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, true);
    QVERIFY(button->Value());
    sendKey(*button, QEvent::KeyRelease, Qt::Key_Space);
    QCOMPARE(log.take(), (QStringList{"KeyDown32", "KeyDown32", "Click", "KeyUp32"}));
    QVERIFY(button->Value());

    // Enter clicks without toggling.
    sendKey(*button, QEvent::KeyPress, Qt::Key_Enter);
    QCOMPARE(log.take(), (QStringList{"Click", "KeyDown13"}));
    QVERIFY(button->Value());
}

void TestPexButton::altSpaceDoesNothing()
{
    auto button = sizedButton();
    EventLog log(*button);
    sendKey(*button, QEvent::KeyPress, Qt::Key_Space, Qt::AltModifier);
    sendKey(*button, QEvent::KeyRelease, Qt::Key_Space, Qt::AltModifier);
    QVERIFY(log.names.isEmpty());
    QVERIFY(!button->spaceHeld());
    QCOMPARE(button->visualState(), VisualState::StateNormal);
}

void TestPexButton::arrowKeysMoveFocus()
{
    QWidget window;
    auto *first = new pexbutton(&window, QStringLiteral("first"));
    auto *middle = new pexbutton(&window, QStringLiteral("middle"));
    auto *last = new pexbutton(&window, QStringLiteral("last"));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    middle->setFocus();
    QTRY_VERIFY(middle->hasFocus());
    EventLog log(*middle);

    sendKey(*middle, QEvent::KeyPress, Qt::Key_Right);
    QTRY_VERIFY(last->hasFocus());
    middle->setFocus();
    sendKey(*middle, QEvent::KeyPress, Qt::Key_Down);
    QTRY_VERIFY(last->hasFocus());
    middle->setFocus();
    sendKey(*middle, QEvent::KeyPress, Qt::Key_Left);
    QTRY_VERIFY(first->hasFocus());
    middle->setFocus();
    sendKey(*middle, QEvent::KeyPress, Qt::Key_Up);
    QTRY_VERIFY(first->hasFocus());
    QCOMPARE(log.names, (QStringList{"KeyDown39", "KeyDown40", "KeyDown37", "KeyDown38"}));
}

void TestPexButton::accessKeys_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QChar>("key");
    QTest::newRow("first ampersand before a") << "&about" << QChar(u'a');
    QTest::newRow("upper case is lowered") << "Save &As" << QChar(u'a');
    QTest::newRow("only one doubled pair") << "Fish && Chips" << QChar();
    QTest::newRow("doubled pair then single before n") << "&&x &next" << QChar(u'n');
    QTest::newRow("ampersand last") << "end&" << QChar();
    QTest::newRow("second doubled pair") << "a && b && c" << QChar();
    QTest::newRow("single character") << "&" << QChar();
    QTest::newRow("no ampersand") << "pexbutton1" << QChar();
    QTest::newRow("chinese") << "添加(&A)" << QChar(u'a');
}

void TestPexButton::accessKeys()
{
    QFETCH(QString, caption);
    QFETCH(QChar, key);
    pexbutton button;
    button.setCaption(caption);
    QCOMPARE(button.accessKey(), key);
    // Loading sets it as well.
    pexbutton loaded(PropertyBag{{QStringLiteral("Caption"), caption}});
    QCOMPARE(loaded.accessKey(), key);
}

void TestPexButton::accessKeyPress()
{
    auto button = sizedButton();
    EventLog log(*button);
    button->setCheckBoxMode(true);
    button->AccessKeyPress('a');
    QVERIFY(button->Value());
    button->AccessKeyPress(VirtualKey::Enter); // the default button's Enter clicks without toggling
    button->AccessKeyPress(VirtualKey::Escape);
    QVERIFY(button->Value());
    button->AccessKeyPress('a');
    QVERIFY(!button->Value());
    QCOMPARE(button->visualState(), VisualState::StateNormal);
    QCOMPARE(log.take(), (QStringList{"Click", "Click", "Click", "Click"}));

    sendKey(*button, QEvent::KeyPress, Qt::Key_Space);
    log.take();
    button->AccessKeyPress('a');
    QVERIFY(!button->spaceHeld());

    button->setEnabled(false);
    button->AccessKeyPress('a');
    QCOMPARE(log.take(), QStringList{"Click"});
}

void TestPexButton::accessKeyThroughTheWindow()
{
    QWidget window;
    auto *button = new pexbutton(&window);
    button->setCaption(QStringLiteral("&Go"));
    auto *other = new pexbutton(&window);
    other->setCaption(QStringLiteral("Stop"));
    other->setDefault(true);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy go(button, &pexbutton::Click);
    QSignalSpy stop(other, &pexbutton::Click);
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(go.count(), 1);
    QVERIFY(other->isDefault());
    QTest::keyClick(&window, Qt::Key_Return);
    QCOMPARE(stop.count(), 1);
    QCOMPARE(go.count(), 1);

    button->setCaption(QStringLiteral("Go"));
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(go.count(), 1);
}

void TestPexButton::enterClicksTheFocusedButton()
{
    QWidget window;
    auto *focused = new pexbutton(&window, QStringLiteral("focused"));
    auto *byDefault = new pexbutton(&window, QStringLiteral("default"));
    byDefault->setDefault(true);
    auto *cancel = new pexbutton(&window, QStringLiteral("cancel"));
    cancel->setCancel(true);
    auto *edit = new QLineEdit(&window);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy focusedClicks(focused, &pexbutton::Click);
    QSignalSpy defaultClicks(byDefault, &pexbutton::Click);

    focused->setFocus();
    QTRY_VERIFY(focused->hasFocus());
    QTest::keyClick(focused, Qt::Key_Return);
    QTest::keyClick(focused, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(focusedClicks.count(), 2);
    QCOMPARE(defaultClicks.count(), 0);
    // Esc stays the cancel button's.
    QSignalSpy cancelClicks(cancel, &pexbutton::Click);
    QTest::keyClick(focused, Qt::Key_Escape);
    QCOMPARE(cancelClicks.count(), 1);
    QCOMPARE(focusedClicks.count(), 2);

    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(defaultClicks.count(), 1);
    QCOMPARE(focusedClicks.count(), 2);
}

void TestPexButton::newButtonTakesStyleSevenDefaults()
{
    QWidget window;
    pexbutton button(&window, QStringLiteral("pexbutton3"));
    QCOMPARE(button.ButtonStyle(), 7);
    QCOMPARE(button.Caption(), QStringLiteral("pexbutton3"));
    QCOMPARE(button.BackColor(), rgbValue(173, 209, 255));
    QCOMPARE(button.ForeColor(), SystemColor::ButtonText);
    QVERIFY(!button.ShowFocusRect()); // style 7 turns it off again
    QVERIFY(button.Enabled());
    QCOMPARE(button.Font().family(), QStringLiteral("Verdana"));
    QCOMPARE(button.MaskColor(), rgbValue(224, 224, 224));
    QCOMPARE(button.PictureAlign(), 1);
    QCOMPARE(button.CaptionAlign(), 1);
    QCOMPARE(button.MousePointer(), qint16(0));
    QVERIFY(!button.UseMaskColor());
}

void TestPexButton::settingAStyleAppliesItsDefaults_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<quint32>("back");
    QTest::addColumn<quint32>("fore");
    QTest::addColumn<bool>("focusRect");
    QTest::newRow("5 shadowed") << 5 << rgbValue(0, 109, 170) << rgbValue(255, 255, 255) << true;
    QTest::newRow("0 classic") << 0 << SystemColor::ButtonFace << SystemColor::ButtonText << true;
    QTest::newRow("4 glass") << 4 << rgbValue(227, 227, 227) << SystemColor::ButtonText << false;
    QTest::newRow("14 skinned") << 14 << rgbValue(208, 208, 208) << SystemColor::ButtonText << false;
    QTest::newRow("15 gradient") << 15 << rgbValue(167, 202, 230) << SystemColor::ButtonText << true;
    QTest::newRow("outside the range changes nothing")
        << 17 << rgbValue(1, 2, 3) << rgbValue(4, 5, 6) << false;
}

void TestPexButton::settingAStyleAppliesItsDefaults()
{
    QFETCH(int, style);
    QFETCH(quint32, back);
    QFETCH(quint32, fore);
    QFETCH(bool, focusRect);
    pexbutton button;
    button.setBackColor(rgbValue(1, 2, 3));
    button.setForeColor(rgbValue(4, 5, 6));
    button.setButtonStyle(style);
    QCOMPARE(button.ButtonStyle(), style);
    QCOMPARE(button.BackColor(), back);
    QCOMPARE(button.ForeColor(), fore);
    QCOMPARE(button.ShowFocusRect(), focusRect);
}

void TestPexButton::loadingKeepsStoredColours()
{
    const pexbutton loaded(PropertyBag{{QStringLiteral("ButtonStyle"), 5},
                                       {QStringLiteral("BackColor"), rgbValue(9, 8, 7)},
                                       {QStringLiteral("Caption"), QStringLiteral("pexbutton1")}});
    QCOMPARE(loaded.ButtonStyle(), 5);
    QCOMPARE(loaded.BackColor(), rgbValue(9, 8, 7));
    QCOMPARE(loaded.ForeColor(), SystemColor::ButtonText); // absent, not the style's white
    QVERIFY(!loaded.ShowFocusRect());
    QCOMPARE(loaded.Caption(), QStringLiteral("pexbutton1"));

    const pexbutton empty{PropertyBag{}};
    QCOMPARE(empty.ButtonStyle(), 1); // a stored button without the key is style 1
    QCOMPARE(empty.BackColor(), SystemColor::ButtonFace);
}

void TestPexButton::valueNeedsCheckBoxMode()
{
    auto button = sizedButton();
    play(*button, "move");
    button->setValue(true);
    QVERIFY(!button->Value());
    QCOMPARE(button->visualState(), VisualState::StateNormal);

    button->setCheckBoxMode(true);
    button->setValue(true);
    QVERIFY(button->Value());
    button->setCheckBoxMode(false);
    QCOMPARE(button->visualState(), VisualState::StateNormal);
}

void TestPexButton::checkedButtonDrawsPressed_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<VisualState>("state");
    QTest::newRow("7 shows pressed") << 7 << VisualState::StatePressed;
    QTest::newRow("0 draws its own checked look") << 0 << VisualState::StateNormal;
    QTest::newRow("3 draws its own checked look") << 3 << VisualState::StateNormal;
    QTest::newRow("9 draws its own checked look") << 9 << VisualState::StateNormal;
}

void TestPexButton::checkedButtonDrawsPressed()
{
    QFETCH(int, style);
    QFETCH(VisualState, state);
    pexbutton button;
    button.setButtonStyle(style);
    button.setCheckBoxMode(true);
    button.setValue(true);
    QCOMPARE(button.visualState(), state);
}

void TestPexButton::sizeNeverBelow220Twips()
{
    pexbutton button;
    button.setTwipsSize(100, 100);
    QCOMPARE(button.twipsSize(), QSize(220, 220));
    QCOMPARE(button.size(), QSize(15, 15));
    button.resize(4, 40);
    QCOMPARE(button.size(), QSize(15, 40));
    button.setTwipsSize(1500, 450);
    QCOMPARE(button.size(), QSize(100, 30));
    QCOMPARE(button.twipsSize(), QSize(1500, 450));
    QCOMPARE(button.surface().size(), QSize(100, 30));
}

void TestPexButton::storageSkipsDefaultsAndKeepsOrder()
{
    QWidget window;
    pexbutton button(&window);
    button.setFont(window.font());
    button.setButtonStyle(1);
    button.setBackColor(SystemColor::ButtonFace);
    button.setShowFocusRect(false);
    QVERIFY(button.properties().isEmpty()); // every value at its default

    button.setButtonStyle(15); // first: a style brings its own colours
    button.setCaptionAlign(2);
    button.setMaskColor(rgbValue(1, 1, 1));
    button.setUseMaskColor(true);
    button.setPictureSize(3);
    button.setPictureAlign(4);
    button.setPicture(ButtonPicture::bitmap(QImage(4, 4, QImage::Format_RGB32)));
    button.setHandPointer(true);
    button.setMousePointer(2);
    button.setCheckBoxMode(true);
    button.setValue(true);
    button.setForeColor(rgbValue(1, 2, 3));
    button.setCaption(QStringLiteral("添加"));
    button.setBackColor(rgbValue(3, 2, 1));
    button.setFont(QFont(QStringLiteral("Verdana"), 12));
    button.setEnabled(false);
    button.setShowFocusRect(true);
    button.setBorderStyle(true);
    button.setBackStyle(true);
    const PropertyBag bag = button.properties();
    QCOMPARE(bag.keys(), (QStringList{"ButtonStyle", "BackStyle", "BorderStyle", "ShowFocusRect", "Enabled",
                                      "Font", "BackColor", "Caption", "ForeColor", "CheckBoxMode", "Value",
                                      "MousePointer", "HandPointer", "Picture", "PictureAlign", "pictureSize",
                                      "UseMaskCOlor", "MaskColor", "CaptionAlign"}));
    QCOMPARE(bag.ReadProperty(QStringLiteral("BackStyle")), QVariant(qint32(-1)));
}

void TestPexButton::storageKeysIgnoreCase()
{
    // Window definitions keep the keys in lower case.
    const pexbutton button(PropertyBag{{QStringLiteral("buttonstyle"), 2},
                                       {QStringLiteral("picturesize"), 2},
                                       {QStringLiteral("usemaskcolor"), true},
                                       {QStringLiteral("backstyle"), 5},
                                       {QStringLiteral("caption"), QStringLiteral("确定")}});
    QCOMPARE(button.ButtonStyle(), 2);
    QCOMPARE(button.PictureSize(), 2);
    QVERIFY(button.UseMaskColor());
    QVERIFY(button.BackStyle());
    QCOMPARE(button.Caption(), QStringLiteral("确定"));
    // The stored number comes back as it was.
    QCOMPARE(button.properties().ReadProperty(QStringLiteral("BACKSTYLE")), QVariant(qint32(5)));

    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("pictureSize"), 1, 0);
    bag.WriteProperty(QStringLiteral("PictureSize"), 2, 0);
    QCOMPARE(bag.keys(), QStringList{"pictureSize"});
    bag.WriteProperty(QStringLiteral("PICTURESIZE"), 0, 0);
    QVERIFY(bag.isEmpty());
}

void TestPexButton::storageRoundTrip()
{
    QImage icon(8, 8, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    pexbutton original;
    original.setButtonStyle(13);
    original.setCaption(QStringLiteral("&Save"));
    original.setPictureHover(ButtonPicture::icon(icon));
    original.setCheckBoxMode(true);
    original.setValue(true);
    original.setForeColor(SystemColor::GrayText);
    original.setEnabled(false);

    const pexbutton copy(original.properties());
    QCOMPARE(copy.properties().keys(), original.properties().keys());
    QCOMPARE(copy.ButtonStyle(), 13);
    QCOMPARE(copy.BackColor(), rgbValue(202, 225, 252));
    QCOMPARE(copy.Caption(), QStringLiteral("&Save"));
    QCOMPARE(copy.accessKey(), QChar(u's'));
    QCOMPARE(copy.Picture().kind(), ButtonPicture::Kind::Icon);
    QCOMPARE(copy.PictureHover(), original.PictureHover());
    QVERIFY(copy.Value());
    QVERIFY(!copy.Enabled());
    QCOMPARE(copy.ForeColor(), SystemColor::GrayText);
}

void TestPexButton::pictureHoverFillsAnEmptyPicture()
{
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    QImage blue(4, 4, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    pexbutton button;
    button.setPictureHover(ButtonPicture::bitmap(red));
    QCOMPARE(button.Picture(), ButtonPicture::bitmap(red));
    button.setPictureHover(ButtonPicture::bitmap(blue));
    QCOMPARE(button.Picture(), ButtonPicture::bitmap(red));
    QCOMPARE(button.PictureHover(), ButtonPicture::bitmap(blue));
}

void TestPexButton::settersReachTheWidget()
{
    auto button = sizedButton();
    button->setButtonStyle(1);
    button->setForeColor(rgbValue(0, 128, 0));
    QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(0, 128, 0));
    QCOMPARE(button->palette().color(QPalette::WindowText), QColor(0, 128, 0));

    // A new pointer picture turns MousePointer back to the default; 99 then shows the picture.
    QImage arrow(16, 16, QImage::Format_ARGB32);
    arrow.fill(Qt::black);
    button->setMousePointer(99);
    button->setMouseIcon(ButtonPicture::icon(arrow));
    QCOMPARE(button->MousePointer(), qint16(0));
    QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);
    button->setMousePointer(99);
    QCOMPARE(button->cursor().shape(), Qt::BitmapCursor);

    // Enabled is the widget's own, so the window system keeps input from a disabled button.
    button->setEnabled(false);
    QVERIFY(!button->isEnabled());
    QVERIFY(!button->Enabled());
}

void TestPexButton::windowActivation()
{
    QWidget window;
    auto *button = new pexbutton(&window);
    button->resize(100, 30);
    window.show();
    QVERIFY(!button->parentActive() || window.isActiveWindow());
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
    QVERIFY(button->parentActive());

    play(*button, "move down");
    sendKey(*button, QEvent::KeyPress, Qt::Key_Space);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&window, &deactivate);
    QVERIFY(!button->parentActive());
    QVERIFY(!button->leftButtonDown());
    QVERIFY(!button->spaceHeld());
    QVERIFY(!button->hasFocusFlag());
    QCOMPARE(button->visualState(), VisualState::StateNormal);

    // A button outside run mode does not follow its window.
    button->setRunMode(false);
    QApplication::sendEvent(&window, &activate);
    QVERIFY(!button->parentActive());
}

// A button first shown after its window became active (a panel shown later) takes the window's
// state at once: its focus rectangle shows without switching windows away and back.
void TestPexButton::buttonShownInAnActiveWindow()
{
    ButtonPair pair;
    auto *panel = new QWidget(&pair.window);
    panel->setGeometry(0, 0, 240, 60);
    panel->hide();
    auto *late = new pexbutton(panel, QStringLiteral("late"));
    late->setGeometry(10, 10, 100, 30);
    late->setButtonStyle(1);
    const quint32 face = rgbValue(212, 208, 200);
    late->setBackColor(face);
    QVERIFY(pair.activate());

    panel->show();
    late->setFocus();
    QTRY_VERIFY(late->hasFocus());
    QVERIFY(late->parentActive());
    QCOMPARE(pixelColor(late->surface(), 3, 3), int(~face & 0xFFFFFFu)); // the dotted rectangle
    QCOMPARE(pixelColor(late->surface(), 4, 4), int(face));
}

// Enabled is the button's own: a disabled container keeps input from the button, but the button
// reads and draws its own value.
void TestPexButton::disabledContainerKeepsTheLook()
{
    ButtonPair pair;
    QVERIFY(pair.activate());
    pexbutton &button = *pair.first;
    button.setCaption(QStringLiteral("&Go"));
    const QImage before = button.surface();
    QSignalSpy clicks(&button, &pexbutton::Click);

    pair.window.setEnabled(false);
    QVERIFY(button.Enabled());
    QVERIFY(!button.properties().contains(QStringLiteral("Enabled")));
    QCOMPARE(button.surface(), before);
    QTest::mouseClick(pair.window.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    button.AccessKeyPress('g');
    QCOMPARE(clicks.count(), 0);

    // Its own value still counts, and is drawn, while the container is disabled.
    button.setEnabled(false);
    QVERIFY(!button.Enabled());
    QVERIFY(button.surface() != before);
    pair.window.setEnabled(true);
    QVERIFY(!button.isEnabled());
    button.setEnabled(true);
    QCOMPARE(button.surface(), before);
    QTest::mouseClick(pair.window.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(clicks.count(), 1);
}

void TestPexButton::destroyedWhileAHandlerWaits_data()
{
    QTest::addColumn<QString>("event");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<QString>("input");

    QTest::newRow("Click of a mouse click") << "Click" << 1 << "click";
    QTest::newRow("Click of Space") << "Click" << 1 << "space";
    QTest::newRow("KeyUp of Space") << "KeyUp" << 1 << "space";
    QTest::newRow("Click of Enter") << "Click" << 1 << "enter";
    QTest::newRow("Click of the access key") << "Click" << 1 << "accessKey";
    QTest::newRow("MouseDown of a double click") << "MouseDown" << 2 << "doubleClick";
    QTest::newRow("second Click of a double click") << "Click" << 2 << "doubleClick";
    // Seen by the button's own movement handling, which goes on after the event.
    QTest::newRow("MouseEnter of a movement") << "MouseEnter" << 1 << "moveOnto";
    QTest::newRow("MouseLeave of a movement") << "MouseLeave" << 1 << "moveOff";
}

// The program's long operations wait inside handlers; a window closed meanwhile takes the button
// with it, and the button must not touch itself once the handler returns.
void TestPexButton::destroyedWhileAHandlerWaits()
{
    QFETCH(QString, event);
    QFETCH(int, occurrence);
    QFETCH(QString, input);

    auto *window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(200, 100);
    auto *button = new pexbutton(window);
    button->setGeometry(10, 10, 100, 30);
    button->setCaption(QStringLiteral("&Go"));
    const QPointer<QWidget> alive(window);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    button->setFocus();
    QTRY_VERIFY(button->hasFocus());
    QWindow *handle = window->windowHandle();
    QTest::mouseMove(handle, QPoint(190, 90));

    onEvent(*button, event, occurrence, [window] { closeAndWait(window); });
    const QPoint over(20, 20);
    if (input == QLatin1String("click")) {
        QTest::mouseClick(handle, Qt::LeftButton, {}, over);
    } else if (input == QLatin1String("doubleClick")) {
        QTest::mouseDClick(handle, Qt::LeftButton, {}, over);
    } else if (input == QLatin1String("space")) {
        QTest::keyPress(handle, Qt::Key_Space);
        QTest::keyRelease(handle, Qt::Key_Space);
    } else if (input == QLatin1String("enter")) {
        QTest::keyClick(handle, Qt::Key_Return);
    } else if (input == QLatin1String("accessKey")) {
        QTest::keyClick(handle, Qt::Key_G, Qt::AltModifier);
    } else if (input == QLatin1String("moveOnto")) {
        moveTo(*button, over - button->pos());
    } else if (input == QLatin1String("moveOff")) {
        moveTo(*button, over - button->pos());
        QVERIFY(alive);
        moveTo(*button, QPoint(150, 5));
    }
    QVERIFY(alive.isNull());
}

void TestPexButton::spaceReleaseBelongsToItsPress_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");

    // An Alt+Space whose release went elsewhere leaves nothing behind (only Alt raises KeyDown).
    QTest::newRow("Alt+Space, focus away and back, Space")
        << "altSpaceDown focusSecond focusFirst spaceDown spaceUp"
        << QStringList{"KeyDown18", "KeyDown32", "Click", "KeyUp32"} << QStringList{};
    QTest::newRow("Alt+Space, window inactive and back, Space")
        << "altSpaceDown deactivate activate spaceDown spaceUp"
        << QStringList{"KeyDown18", "KeyDown32", "Click", "KeyUp32"} << QStringList{};
    // Space held while an arrow key moves the focus: neither button clicks.
    QTest::newRow("Space held, arrow to the next button")
        << "spaceDown right spaceUp" << QStringList{"KeyDown32", "KeyDown39"} << QStringList{};
    QTest::newRow("Space held, arrow there and back")
        << "spaceDown right left spaceUp" << QStringList{"KeyDown32", "KeyDown39"} << QStringList{"KeyDown37"};
}

// A Space release clicks only the button that saw its press.
void TestPexButton::spaceReleaseBelongsToItsPress()
{
    QFETCH(QString, script);
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    ButtonPair pair;
    QVERIFY(pair.activate());
    pair.first->setFocus();
    QTRY_VERIFY(pair.first->hasFocus());
    EventLog firstLog(*pair.first);
    EventLog secondLog(*pair.second);
    QWindow *handle = pair.window.windowHandle();

    for (const QString &step : script.split(QLatin1Char(' '))) {
        if (step == QLatin1String("altSpaceDown")) {
            QTest::keyPress(handle, Qt::Key_Space, Qt::AltModifier);
        } else if (step == QLatin1String("spaceDown")) {
            QTest::keyPress(handle, Qt::Key_Space);
        } else if (step == QLatin1String("spaceUp")) {
            QTest::keyRelease(handle, Qt::Key_Space);
        } else if (step == QLatin1String("right") || step == QLatin1String("left")) {
            QTest::keyPress(handle, step == QLatin1String("right") ? Qt::Key_Right : Qt::Key_Left);
        } else if (step == QLatin1String("focusFirst") || step == QLatin1String("focusSecond")) {
            pexbutton *target = step == QLatin1String("focusFirst") ? pair.first : pair.second;
            target->setFocus();
            QTRY_VERIFY(target->hasFocus());
        } else if (step == QLatin1String("deactivate") || step == QLatin1String("activate")) {
            QEvent change(step == QLatin1String("activate") ? QEvent::WindowActivate : QEvent::WindowDeactivate);
            QApplication::sendEvent(&pair.window, &change);
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }
    QCOMPARE(firstLog.names, first);
    QCOMPARE(secondLog.names, second);
    QCOMPARE(pair.first->visualState(), VisualState::StateNormal);
    QCOMPARE(pair.second->visualState(), VisualState::StateNormal);
}

void TestPexButton::containerBackgroundChangeRedraws()
{
    QWidget window;
    auto *button = new pexbutton(&window);
    button->resize(100, 30);
    button->setButtonStyle(5); // the corner beside the shadow shows the container
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(1, 2, 3));
    window.setPalette(palette);
    QCOMPARE(pixelColor(button->surface(), 99, 0), int(rgbValue(1, 2, 3)));
}

void TestPexButton::systemColoursFollowThePalette()
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Button, QColor(200, 201, 202));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 151, 152));
    QApplication::setPalette(palette);
    QCOMPARE(TranslateColor(SystemColor::ButtonFace), int(rgbValue(200, 201, 202)));
    QCOMPARE(TranslateColor(SystemColor::GrayText), int(rgbValue(150, 151, 152)));
    // The workspace frame of a default classic button must stand out from the face.
    const auto lightness = [](int colour) { return toQColor(quint32(colour)).lightness(); };
    QVERIFY(lightness(TranslateColor(SystemColor::AppWorkspace)) <
            lightness(TranslateColor(SystemColor::ButtonFace)));

    pexbutton button;
    button.resize(40, 20);
    button.setButtonStyle(0);
    QCOMPARE(pixelColor(button.surface(), 20, 10), int(rgbValue(200, 201, 202)));
    QApplication::setPalette(QPalette());
}

void TestPexButton::focusLossClearsPressState()
{
    auto button = sizedButton();
    play(*button, "move down");
    QVERIFY(button->hasFocusFlag());
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(button.get(), &out);
    QVERIFY(!button->hasFocusFlag());
    QVERIFY(!button->leftButtonDown());
    // The window never became active, so the pointer over it does not keep the hover look.
    QCOMPARE(button->visualState(), VisualState::StateNormal);
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(button.get(), &in);
    QVERIFY(button->hasFocusFlag());
    QCOMPARE(button->visualState(), VisualState::StateHover);
}

void TestPexButton::handPointerShowsOverTheButton()
{
    auto button = sizedButton();
    button->setMousePointer(2);
    QCOMPARE(button->cursor().shape(), Qt::CrossCursor);
    button->setHandPointer(true);
    play(*button, "move");
    QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    button->setMousePointer(0);
    QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);

    // Style 7 resets MousePointer as it draws; the hand stays.
    button->setMousePointer(2);
    play(*button, "move");
    QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(button->MousePointer(), qint16(0));

    // Switched off, the button's own pointer comes back at the next movement.
    button->setButtonStyle(1);
    button->setMousePointer(2);
    play(*button, "move");
    QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    button->setHandPointer(false);
    play(*button, "move");
    QCOMPARE(button->cursor().shape(), Qt::CrossCursor);
}

void TestPexButton::about()
{
    ScriptedMessageBox messages;
    pexbutton button;
    button.About(messages);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown.at(0).title, QStringLiteral("About"));
    QCOMPARE(messages.shown.at(0).text, QStringLiteral("MyCommandButton\nA Multistyle Button Control"));
}

QTEST_MAIN(TestPexButton)
#include "tst_pexbutton.moc"
