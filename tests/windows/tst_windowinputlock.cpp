#include "controls/button/pexbutton.h"
#include "windows/windowinputlock.h"

#include <memory>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

// A window as the main window will be: a focused button with an access key, a default button and
// an address box.
struct LockableWindow
{
    LockableWindow()
    {
        window.resize(340, 60);
        go = new pexbutton(&window, QStringLiteral("&Go"));
        go->setGeometry(10, 10, 100, 30);
        add = new pexbutton(&window, QStringLiteral("Add"));
        add->setGeometry(120, 10, 100, 30);
        add->setDefault(true);
        address = new QLineEdit(&window);
        address->setGeometry(230, 10, 100, 30);
    }

    bool activate()
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        go->setFocus();
        return QTest::qWaitFor([this] { return go->hasFocus(); });
    }

    QWidget window;
    pexbutton *go = nullptr;
    pexbutton *add = nullptr;
    QLineEdit *address = nullptr;
};

// Everything the user may do to the window, as the window system delivers it.
void act(LockableWindow &w, const QString &input)
{
    QWindow *handle = w.window.windowHandle();
    if (input == QLatin1String("click")) {
        QTest::mouseClick(handle, Qt::LeftButton, {}, QPoint(20, 20));
    } else if (input == QLatin1String("doubleClick")) {
        QTest::mouseDClick(handle, Qt::LeftButton, {}, QPoint(20, 20));
    } else if (input == QLatin1String("space")) {
        QTest::keyClick(handle, Qt::Key_Space);
    } else if (input == QLatin1String("enter")) {
        QTest::keyClick(handle, Qt::Key_Return);
    } else if (input == QLatin1String("enterInTheBox")) {
        QTest::keyClick(handle, Qt::Key_Return);
    } else if (input == QLatin1String("accessKey")) {
        QTest::keyClick(handle, Qt::Key_G, Qt::AltModifier);
    } else if (input == QLatin1String("typing")) {
        for (const char key : {'a', 'b', 'c'})
            QTest::keyClick(handle, key);
    } else if (input == QLatin1String("clickTheBox")) {
        QTest::mouseClick(handle, Qt::LeftButton, {}, QPoint(250, 20));
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown input ") + input));
    }
}

// What the input did: the clicks of both buttons, the box's text and where the focus is.
QString effectOf(const LockableWindow &w, const QSignalSpy &goClicks, const QSignalSpy &addClicks)
{
    return QStringLiteral("go %1, add %2, text \"%3\", focus %4")
        .arg(goClicks.count())
        .arg(addClicks.count())
        .arg(w.address->text(),
             w.address->hasFocus() ? QStringLiteral("box") : w.go->hasFocus() ? QStringLiteral("go")
                                                                               : QStringLiteral("other"));
}

} // namespace

class TestWindowInputLock final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lockedWindowTakesNoInput_data();
    void lockedWindowTakesNoInput();
    void lockedWindowLooksTheSame();
    void otherWindowsTakeInput();
    void windowDestroyedWhileLocked();
};

void TestWindowInputLock::lockedWindowTakesNoInput_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("inTheBox"); // the focus is in the box, not on the button
    QTest::addColumn<QString>("unlocked");

    QTest::newRow("click") << "click" << false << "go 1, add 0, text \"\", focus go";
    QTest::newRow("double click") << "doubleClick" << false << "go 2, add 0, text \"\", focus go";
    QTest::newRow("Space") << "space" << false << "go 1, add 0, text \"\", focus go";
    QTest::newRow("Enter on the focused button") << "enter" << false << "go 1, add 0, text \"\", focus go";
    QTest::newRow("Enter for the default button") << "enterInTheBox" << true << "go 0, add 1, text \"\", focus box";
    QTest::newRow("access key") << "accessKey" << false << "go 1, add 0, text \"\", focus go";
    QTest::newRow("typing") << "typing" << true << "go 0, add 0, text \"abc\", focus box";
    QTest::newRow("click into the box") << "clickTheBox" << false << "go 0, add 0, text \"\", focus box";
}

// While locked the input does nothing at all (not even a focus change); once the lock ends the same
// input works as before.
void TestWindowInputLock::lockedWindowTakesNoInput()
{
    QFETCH(QString, input);
    QFETCH(bool, inTheBox);
    QFETCH(QString, unlocked);
    LockableWindow w;
    QVERIFY(w.activate());
    QWidget *focus = inTheBox ? static_cast<QWidget *>(w.address) : w.go;
    focus->setFocus();
    QTRY_VERIFY(focus->hasFocus());
    QSignalSpy goClicks(w.go, &pexbutton::Click);
    QSignalSpy addClicks(w.add, &pexbutton::Click);
    const QString untouched = effectOf(w, goClicks, addClicks);

    auto lock = std::make_unique<WindowInputLock>(w.window);
    act(w, input);
    QCOMPARE(effectOf(w, goClicks, addClicks), untouched);

    lock.reset();
    act(w, input);
    QCOMPARE(effectOf(w, goClicks, addClicks), unlocked);
}

// The lock changes no look: the buttons stay Enabled and draw as before, the box stays enabled,
// and a pointer moving over a button lights nothing.
void TestWindowInputLock::lockedWindowLooksTheSame()
{
    LockableWindow w;
    QVERIFY(w.activate());
    const QImage before = w.window.grab().toImage();
    QSignalSpy entered(w.add, &pexbutton::MouseEnter);

    const WindowInputLock lock(w.window);
    QTest::mouseMove(w.window.windowHandle(), QPoint(150, 20));
    QTest::mouseMove(w.window.windowHandle(), QPoint(160, 25));
    QCOMPARE(entered.count(), 0);
    QCOMPARE(w.add->visualState(), VisualState::StateNormal);
    for (const pexbutton *button : {w.go, w.add}) {
        QVERIFY(button->Enabled());
        QVERIFY(button->isEnabled());
    }
    QVERIFY(w.address->isEnabled());
    QCOMPARE(w.window.grab().toImage(), before);
}

// A window the locked one opens (a message box, say) takes its input as usual.
void TestWindowInputLock::otherWindowsTakeInput()
{
    LockableWindow locked;
    QVERIFY(locked.activate());
    const WindowInputLock lock(locked.window);
    LockableWindow other;
    QVERIFY(other.activate());
    QSignalSpy clicks(other.go, &pexbutton::Click);
    act(other, QStringLiteral("click"));
    act(other, QStringLiteral("space"));
    QCOMPARE(clicks.count(), 2);
}

void TestWindowInputLock::windowDestroyedWhileLocked()
{
    auto w = std::make_unique<LockableWindow>();
    QVERIFY(w->activate());
    const WindowInputLock lock(w->window);
    w.reset();
    LockableWindow next;
    QVERIFY(next.activate());
    QSignalSpy clicks(next.go, &pexbutton::Click);
    act(next, QStringLiteral("click"));
    QCOMPARE(clicks.count(), 1);
}

QTEST_MAIN(TestWindowInputLock)
#include "tst_windowinputlock.moc"
