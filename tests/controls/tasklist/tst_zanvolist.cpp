#include "controls/common/colorvalue.h"
#include "controls/downbar/zanvodownbar.h"
#include "controls/tasklist/arrowlabel.h"
#include "controls/tasklist/zanvolist.h"

#include <functional>
#include <QTest>

Q_DECLARE_METATYPE(std::function<void(ZanvoList &)>)

namespace {

constexpr quint32 NormalFill = rgbValue(179, 198, 226);
constexpr quint32 NormalBack = rgbValue(224, 224, 224);
constexpr quint32 SelectedFill = rgbValue(255, 127, 39);
constexpr quint32 SelectedBack = rgbValue(255, 234, 162);

// The list as the main window holds it: 460 x 384 pixels, that is 6900 x 5760 twips.
struct ShownList
{
    ShownList()
    {
        list.resize(460, 384);
        list.show();
    }

    qint16 add(const QString &name, const QString &tags = QStringLiteral("就绪"))
    {
        qint16 index = -1;
        [&] { QVERIFY(list.Add(name, QStringLiteral("http://127.0.0.1/") + name, index, false, tags)); }();
        return index;
    }
    int top(qint16 index) const { return list.Down(index)->geometryTwips().top(); }
    // What the widgets themselves show, in twips.
    QRect shownBar(qint16 index) const { return twips(list.Down(index)->geometry()); }
    QRect shownContent() const
    {
        return twips(list.findChild<QWidget *>(QStringLiteral("Picture1"))->geometry());
    }
    static QRect twips(const QRect &pixels) { return QRect(pixels.topLeft() * 15, pixels.size() * 15); }
    void click(qint16 index) { QTest::mousePress(list.Down(index), Qt::LeftButton, {}, QPoint(10, 10)); }
    void release(const char *arrow)
    {
        auto *label = list.findChild<ArrowLabel *>(QString::fromLatin1(arrow));
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(5, 5));
    }

    ZanvoList list;
};

} // namespace

class TestZanvoList final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newListIsEmpty()
    {
        ShownList s;
        QCOMPARE(s.list.Count(), qint16(0));
        QCOMPARE(s.list.Selected(), 0);
        for (qint16 index : {0, 1, -1, 300})
            QCOMPARE(s.list.GetURL(index), QStringLiteral("None"));
        QVERIFY(s.list.Down(0)->isHidden());
        QCOMPARE(s.list.contentGeometryTwips(), QRect(0, 0, 6900, 6615));
    }

    void addStacksBarsFromTheTop()
    {
        ShownList s;
        QCOMPARE(s.add(QStringLiteral("a")), qint16(0));
        QCOMPARE(s.list.contentGeometryTwips().height(), 6615); // the first bar leaves it alone
        QCOMPARE(s.add(QStringLiteral("b")), qint16(1));
        QCOMPARE(s.add(QStringLiteral("c")), qint16(2));
        const QList<int> tops{0, 1335, 2670};
        for (qint16 k = 0; k < 3; ++k) {
            QCOMPARE(s.top(k), tops.at(k));
            QCOMPARE(s.shownBar(k), QRect(0, tops.at(k), 6900, 1335));
        }
        QCOMPARE(s.list.contentGeometryTwips().height(), 4005);
        QCOMPARE(s.shownContent(), QRect(0, 0, 6900, 4005));
        QCOMPARE(s.list.Count(), qint16(3));
        QCOMPARE(s.list.GetTitle(1), QStringLiteral("b"));
        QCOMPARE(s.list.GetURL(2), QStringLiteral("http://127.0.0.1/c"));
        QVERIFY(!s.list.Down(1)->isHidden());
    }

    void miniBarsStackAtTheirHeight()
    {
        ShownList s;
        qint16 index = 0;
        QVERIFY(s.list.Add(QStringLiteral("mini"), QStringLiteral("u"), index, true));
        s.add(QStringLiteral("normal"));
        QVERIFY(s.list.Add(QStringLiteral("mini"), QStringLiteral("u"), index, true));
        s.add(QStringLiteral("last"));
        QCOMPARE(s.list.Down(0)->geometryTwips().height(), 500);
        QCOMPARE(s.list.Down(0)->elementTwips(BarElement::Name).topLeft(), QPoint(400, 200));
        QCOMPARE(s.list.Down(2)->elementTwips(BarElement::Name).topLeft(), QPoint(400, 200));
        QCOMPARE(s.list.Down(1)->geometryTwips().height(), 1335); // a normal bar, even after a mini slot 0
        QCOMPARE(s.top(1), 500);
        QCOMPARE(s.top(2), 1835);
        QCOMPARE(s.top(3), 2335);
        QCOMPARE(s.list.contentGeometryTwips().height(), 2335 + 1335);

        // slot 0 taken again by a normal task gets its full height back
        for (qint16 k : {3, 2, 1, 0})
            s.list.Remove(k);
        s.add(QStringLiteral("again"));
        QCOMPARE(s.list.Down(0)->geometryTwips().height(), 1335);
        QVERIFY(s.list.Down(0)->isElementShown(BarElement::Urls));

        // a mini task taking a slot 0 that was mini already shows its name where a new mini bar does
        s.list.Remove(0);
        QVERIFY(s.list.Add(QStringLiteral("mini"), QStringLiteral("u"), index, true));
        s.list.Remove(0);
        QVERIFY(s.list.Add(QStringLiteral("mini again"), QStringLiteral("u"), index, true));
        QCOMPARE(s.list.Down(0)->elementTwips(BarElement::Name).topLeft(), QPoint(400, 200));
    }

    void removeKeepsTheOtherIndices()
    {
        ShownList s;
        for (const char *name : {"a", "b", "c"})
            s.add(QString::fromLatin1(name));
        ZanvoDownbar *third = s.list.Down(2);
        s.list.Remove(1);
        QCOMPARE(s.list.Down(2), third);
        QCOMPARE(s.top(2), 1335);
        QCOMPARE(s.list.GetURL(1), QStringLiteral("None"));
        QCOMPARE(s.list.GetTitle(2), QStringLiteral("c"));
        QCOMPARE(s.list.Count(), qint16(2));
        QCOMPARE(s.list.contentGeometryTwips().height(), 2670 + 1335);

        QCOMPARE(s.add(QStringLiteral("d")), qint16(3));
        QCOMPARE(s.top(3), 2670);
    }

    void removingTheLastIndexFreesIt()
    {
        ShownList s;
        for (const char *name : {"a", "b", "c"})
            s.add(QString::fromLatin1(name));
        s.list.Remove(2);
        QCOMPARE(s.list.lastIndex(), 1);
        QCOMPARE(s.add(QStringLiteral("d")), qint16(2));
        QCOMPARE(s.top(2), 2670);
    }

    void removingTheOnlyBarEmptiesTheList()
    {
        ShownList s;
        s.add(QStringLiteral("a"));
        s.list.Remove(0);
        QCOMPARE(s.list.Count(), qint16(0));
        QCOMPARE(s.list.GetURL(0), QStringLiteral("None"));
        QVERIFY(s.list.Down(0)->isHidden());
        QCOMPARE(s.add(QStringLiteral("b")), qint16(0));
        QCOMPARE(s.list.GetTitle(0), QStringLiteral("b"));
        QVERIFY(!s.list.Down(0)->isHidden());
    }

    void removeOfAMissingSlotOnlyRestacks()
    {
        ShownList s;
        for (const char *name : {"a", "b", "c", "d"})
            s.add(QString::fromLatin1(name));
        s.list.Remove(2);
        s.list.Remove(3); // the highest index now names a gap
        QCOMPARE(s.list.lastIndex(), 2);
        s.list.Remove(2);
        QCOMPARE(s.list.lastIndex(), 1);
        s.list.Remove(40);
        QCOMPARE(s.list.Count(), qint16(2));
        QCOMPARE(s.add(QStringLiteral("e")), qint16(2));
        QCOMPARE(s.top(2), 2670);
    }

    void stateTextOnlyWhenGiven()
    {
        ShownList s;
        s.add(QStringLiteral("a"), QStringLiteral("就绪"));
        s.list.ChangeState(0, QStringLiteral("下载完成!"));
        s.list.Remove(0);
        s.add(QStringLiteral("b"), {});
        QCOMPARE(s.list.Down(0)->Tagged(), QStringLiteral("下载完成!")); // slot 0 keeps its old text
        s.add(QStringLiteral("c"), QStringLiteral("就绪"));
        QCOMPARE(s.list.Down(1)->Tagged(), QStringLiteral("就绪"));
    }

    // Zero colours mean the normal ones; any other colour is taken as given.
    void addColours()
    {
        ShownList s;
        qint16 index = 0;
        QVERIFY(s.list.Add(QStringLiteral("a"), QStringLiteral("u"), index, false, {}, rgbValue(1, 2, 3)));
        QCOMPARE(s.list.Down(index)->BarColor(), rgbValue(1, 2, 3));
        QCOMPARE(s.list.Down(index)->BarBColor(), NormalBack);
        QVERIFY(s.list.Add(QStringLiteral("b"), QStringLiteral("u"), index, false, {}, 0, rgbValue(4, 5, 6)));
        QCOMPARE(s.list.Down(index)->BarColor(), NormalFill);
        QCOMPARE(s.list.Down(index)->BarBColor(), rgbValue(4, 5, 6));
    }

    void selectionColoursSurviveGaps()
    {
        ShownList s;
        for (const char *name : {"a", "b", "c", "d"})
            s.add(QString::fromLatin1(name));
        s.list.Remove(1);
        s.click(2);
        QCOMPARE(s.list.Selected(), 2);
        QCOMPARE(s.list.Down(2)->BarColor(), SelectedFill);
        QCOMPARE(s.list.Down(2)->BarBColor(), SelectedBack);
        for (qint16 other : {0, 3}) {
            QCOMPARE(s.list.Down(other)->BarColor(), NormalFill);
            QCOMPARE(s.list.Down(other)->BarBColor(), NormalBack);
        }

        s.click(3);
        QCOMPARE(s.list.Down(2)->BarColor(), NormalFill);
        QCOMPARE(s.list.Down(3)->BarBColor(), SelectedBack);
        const qint16 added = s.add(QStringLiteral("e"));
        QCOMPARE(s.list.Selected(), 3);
        QCOMPARE(s.list.Down(added)->BarColor(), NormalFill);
        s.list.Remove(0);
        QCOMPARE(s.list.Selected(), 3);
    }

    void missingSlotFailsToTheCaller_data()
    {
        QTest::addColumn<std::function<void(ZanvoList &)>>("operation");
        QTest::newRow("GetTitle") << std::function<void(ZanvoList &)>([](ZanvoList &l) { l.GetTitle(1); });
        QTest::newRow("ChangeURL") << std::function<void(ZanvoList &)>(
            [](ZanvoList &l) { l.ChangeURL(1, QStringLiteral("http://127.0.0.1/")); });
        QTest::newRow("ChangeState") << std::function<void(ZanvoList &)>(
            [](ZanvoList &l) { l.ChangeState(1, QStringLiteral("x")); });
        QTest::newRow("Cspeed") << std::function<void(ZanvoList &)>([](ZanvoList &l) { l.Cspeed(1, 3); });
        QTest::newRow("Cpro") << std::function<void(ZanvoList &)>([](ZanvoList &l) { l.Cpro(1, 3); });
        QTest::newRow("negative index")
            << std::function<void(ZanvoList &)>([](ZanvoList &l) { l.Cpro(-1, 3); });
    }
    void missingSlotFailsToTheCaller()
    {
        QFETCH(std::function<void(ZanvoList &)>, operation);
        ShownList s;
        s.add(QStringLiteral("a"));
        s.add(QStringLiteral("b"));
        s.list.Remove(1); // the task is gone while its reports may still come
        QVERIFY_THROWS_EXCEPTION(MissingTaskError, operation(s.list));
        QCOMPARE(s.list.GetURL(1), QStringLiteral("None"));
        QCOMPARE(s.list.GetTitle(0), QStringLiteral("a"));
    }

    void hiddenSlotZeroStillTakesReports()
    {
        ShownList s;
        s.list.Cpro(0, 37);
        s.list.Cspeed(0, 0.5);
        QCOMPARE(s.list.Down(0)->Progress(), 37.0);
        QCOMPARE(s.list.Down(0)->speeds(), 0.5);
        QCOMPARE(s.list.GetTitle(0), QStringLiteral("Name"));
        QCOMPARE(s.list.GetURL(0), QStringLiteral("None"));
    }

    void reportsReachTheBar()
    {
        ShownList s;
        s.add(QStringLiteral("a"));
        const qint16 index = s.add(QStringLiteral("b"));
        QCOMPARE(s.list.ChangeURL(index, QStringLiteral("http://127.0.0.1/2.html")), QString());
        s.list.Cpro(index, 250);
        s.list.Cspeed(index, 12.5);
        s.list.ChangeState(index, QStringLiteral("正在下载"));
        const ZanvoDownbar *bar = s.list.Down(index);
        QCOMPARE(s.list.GetURL(index), QStringLiteral("http://127.0.0.1/2.html"));
        QCOMPARE(bar->elementText(BarElement::Per), QStringLiteral(" 100"));
        QCOMPARE(bar->elementText(BarElement::Speed), QStringLiteral(" 12.5"));
        QCOMPARE(bar->Tagged(), QStringLiteral("正在下载"));
    }

    void arrowsScrollOnRelease()
    {
        ShownList s;
        s.add(QStringLiteral("a"));
        auto *panel = s.list.findChild<QWidget *>(QStringLiteral("Picture1"));
        // the panel sits at the nearest whole pixel: -500 twips is 33 1/3 pixels
        const QList<std::pair<int, int>> downs{{-500, -33}, {-1000, -67}, {-855, -57}};
        for (const auto &[expected, pixels] : downs) {
            s.release("Label1");
            QCOMPARE(s.list.contentGeometryTwips().top(), expected);
            QCOMPARE(panel->y(), pixels);
        }
        QCOMPARE(s.list.stripGeometryTwips().top(), 5760 - 255);

        auto *up = s.list.findChild<ArrowLabel *>(QStringLiteral("Label2"));
        QTest::mousePress(up, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(s.list.contentGeometryTwips().top(), -855); // nothing before the release
        QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(s.list.contentGeometryTwips().top(), -355);
        QCOMPARE(panel->y(), -24);
        for (const auto &[expected, pixels] : QList<std::pair<int, int>>{{145, 10}, {0, 0}}) {
            s.release("Label2");
            QCOMPARE(s.list.contentGeometryTwips().top(), expected);
            QCOMPARE(panel->y(), pixels);
        }
        QCOMPARE(s.list.findChild<QWidget *>(QStringLiteral("Picture2"))->y(), (5760 - 255) / 15);
    }

    void shortContentTouchesTheBottom()
    {
        ShownList s;
        s.add(QStringLiteral("a"));
        s.add(QStringLiteral("b"));
        s.list.Remove(1); // content height now 2670
        s.list.scrollDown();
        QCOMPARE(s.list.contentGeometryTwips().top(), 5760 - 2670);
        s.list.scrollUp();
        QCOMPARE(s.list.contentGeometryTwips().top(), 0);
    }

    void resizeFitsBarsAndStrip()
    {
        ShownList s;
        s.add(QStringLiteral("a"));
        s.add(QStringLiteral("b"));
        s.list.Remove(0);
        s.list.resize(600, 300);
        QCOMPARE(s.list.contentGeometryTwips().width(), 9000);
        QCOMPARE(s.list.Down(1)->geometryTwips().width(), 9000);
        QCOMPARE(s.list.Down(0)->geometryTwips().width(), 9000);
        QCOMPARE(s.list.stripGeometryTwips(), QRect(0, 4500 - 255, 9000, 255));
        auto *down = s.list.findChild<ArrowLabel *>(QStringLiteral("Label1"));
        auto *up = s.list.findChild<ArrowLabel *>(QStringLiteral("Label2"));
        QCOMPARE(down->geometry(), QRect(0, 0, 300, 17));
        QCOMPARE(up->geometry(), QRect(300, 0, 300, 17));
        QCOMPARE(s.top(1), 0);
    }

    // Slot 0 removed while other bars remain: no index is shared, nothing counts a hidden bar.
    void removedSlotZeroKeepsThePromises()
    {
        ShownList s;
        for (const char *name : {"a", "b", "c"})
            s.add(QString::fromLatin1(name));
        s.click(0);
        s.list.Remove(qint16(s.list.Selected()));
        QVERIFY(s.list.Down(0)->isHidden());
        QCOMPARE(s.list.Count(), qint16(2));
        QCOMPARE(s.list.GetURL(0), QStringLiteral("None"));
        s.list.Remove(qint16(s.list.Selected())); // the selection names a gone bar: nothing else goes
        QCOMPARE(s.list.Count(), qint16(2));
        s.list.Cpro(0, 12); // late reports of the removed task reach only the hidden slot
        QVERIFY(s.list.Down(0)->isHidden());
        QCOMPARE(s.list.GetURL(1), QStringLiteral("http://127.0.0.1/b"));
        QCOMPARE(s.top(1), 0);
        QCOMPARE(s.top(2), 1335);

        const qint16 added = s.add(QStringLiteral("d"));
        QCOMPARE(added, qint16(3));
        QVERIFY(!s.list.Down(added)->isHidden());
        QVERIFY(s.list.Down(0)->isHidden());
        QCOMPARE(s.shownBar(added), QRect(0, 2670, 6900, 1335)); // below the others, over none
        QCOMPARE(s.list.Count(), qint16(3));
        QCOMPARE(s.list.GetTitle(1), QStringLiteral("b"));

        s.list.Remove(1); // restacking leaves no gap for the hidden slot 0
        QCOMPARE(s.top(2), 0);
        QCOMPARE(s.top(3), 1335);
        QCOMPARE(s.list.contentGeometryTwips().height(), 2670 + 1335);

        s.click(3);
        s.list.Remove(qint16(s.list.Selected()));
        QCOMPARE(s.list.Down(3), nullptr);
        QCOMPARE(s.list.GetTitle(2), QStringLiteral("c"));
        QCOMPARE(s.list.Count(), qint16(1));

        s.list.Remove(2);
        QCOMPARE(s.list.Count(), qint16(0));
        QCOMPARE(s.add(QStringLiteral("e")), qint16(0));
        QCOMPARE(s.add(QStringLiteral("f")), qint16(1));
        QCOMPARE(s.top(1), 1335);
    }

    void addFailsBeyondTheLastIndex()
    {
        ZanvoList list;
        qint16 index = 0;
        QVERIFY(list.Add(QStringLiteral("keep"), QStringLiteral("u"), index));
        // walk the index up with one spare bar alive at a time
        for (int k = 1; k <= ZanvoList::HighestIndex; ++k) {
            QVERIFY(list.Add(QStringLiteral("n"), QStringLiteral("u"), index));
            if (k > 1)
                list.Remove(qint16(k - 1));
            if (k % 2048 == 0)
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(index, qint16(32767));
        index = -7;
        QVERIFY(!list.Add(QStringLiteral("over"), QStringLiteral("u"), index));
        QCOMPARE(index, qint16(-7));
        QCOMPARE(list.Count(), qint16(2));
        QCOMPARE(list.GetTitle(32767), QStringLiteral("n"));
    }
};

QTEST_MAIN(TestZanvoList)
#include "tst_zanvolist.moc"
