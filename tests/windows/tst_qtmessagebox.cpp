#include "windows/qtmessagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(MessageBox::Buttons)
Q_DECLARE_METATYPE(MessageBox::Icon)
Q_DECLARE_METATYPE(MessageBox::Answer)

namespace {

// What the dialog showed, read while it is open.
struct Seen
{
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modal = false;
    Qt::TextFormat format = Qt::AutoText;
};

// Waits for the dialog to open, records it, then presses `press` (or closes it when NoButton).
void answerWhenShown(Seen &seen, QMessageBox::StandardButton press)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &seen, press] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll->deleteLater();
        poll->stop();
        seen = {box->windowTitle(), box->text(), box->standardButtons(), box->icon(), box->isModal(),
                box->textFormat()};
        if (press == QMessageBox::NoButton)
            box->close();
        else
            box->button(press)->click();
    });
    poll->start(10);
}

} // namespace

class TestQtMessageBox final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answers_data()
    {
        QTest::addColumn<MessageBox::Buttons>("buttons");
        QTest::addColumn<MessageBox::Icon>("icon");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("expectedButtons");
        QTest::addColumn<int>("expectedIcon");
        QTest::addColumn<MessageBox::Answer>("answer");
        QTest::newRow("ok") << MessageBox::Buttons::Ok << MessageBox::Icon::None << int(QMessageBox::Ok)
                            << int(QMessageBox::Ok) << int(QMessageBox::NoIcon) << MessageBox::Answer::Ok;
        QTest::newRow("ok closed") << MessageBox::Buttons::Ok << MessageBox::Icon::Critical
                                   << int(QMessageBox::NoButton) << int(QMessageBox::Ok)
                                   << int(QMessageBox::Critical) << MessageBox::Answer::Ok;
        QTest::newRow("yes") << MessageBox::Buttons::YesNo << MessageBox::Icon::Question
                             << int(QMessageBox::Yes) << int(QMessageBox::Yes | QMessageBox::No)
                             << int(QMessageBox::Question) << MessageBox::Answer::Yes;
        QTest::newRow("no") << MessageBox::Buttons::YesNo << MessageBox::Icon::Warning << int(QMessageBox::No)
                            << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::Warning)
                            << MessageBox::Answer::No;
        QTest::newRow("yes/no closed")
            << MessageBox::Buttons::YesNo << MessageBox::Icon::Information << int(QMessageBox::NoButton)
            << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::Information)
            << MessageBox::Answer::No;
    }
    void answers()
    {
        QFETCH(MessageBox::Buttons, buttons);
        QFETCH(MessageBox::Icon, icon);
        QFETCH(int, press);
        QFETCH(int, expectedButtons);
        QFETCH(int, expectedIcon);
        QFETCH(MessageBox::Answer, answer);

        QtMessageBox messages;
        Seen seen;
        answerWhenShown(seen, QMessageBox::StandardButton(press));
        const auto pressed = messages.show(QStringLiteral("读取模式文件失败。程序将使用预设文件。"),
                                           applicationTitle(), buttons, icon);

        QCOMPARE(pressed, answer);
        QCOMPARE(seen.title, QStringLiteral("Tavrin漫画下载器"));
        QCOMPARE(seen.text, QStringLiteral("读取模式文件失败。程序将使用预设文件。"));
        QCOMPARE(int(seen.buttons), expectedButtons);
        QCOMPARE(int(seen.icon), expectedIcon);
        QVERIFY(seen.modal);
    }

    // Texts cut from web pages (update notes) are shown as they are, never as markup.
    void pageTextIsShownAsPlainText()
    {
        QtMessageBox messages;
        Seen seen;
        answerWhenShown(seen, QMessageBox::Ok);
        const QString text = QStringLiteral("<b>0.2.0</b>\r\n<img src=\"file:///etc/x.png\">");
        messages.show(text, applicationTitle(), MessageBox::Buttons::Ok, MessageBox::Icon::Information);
        QCOMPARE(seen.text, text);
        QCOMPARE(seen.format, Qt::PlainText);
    }
};

QTEST_MAIN(TestQtMessageBox)
#include "tst_qtmessagebox.moc"
