#include "web/srcset.h"

#include <QTest>

class TestSrcset final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void largestCandidate_data()
    {
        QTest::addColumn<QString>("srcset");
        QTest::addColumn<QString>("address");
        QTest::newRow("widths") << "a.jpg 480w, b.jpg 1600w, c.jpg 800w"
                                << "b.jpg";
        QTest::newRow("densities, 1x unsaid") << "a.jpg, b.jpg 2x, c.jpg 1.5x"
                                              << "b.jpg";
        QTest::newRow("one address alone") << "  a.jpg  "
                                           << "a.jpg";
        QTest::newRow("first of equals") << "a.jpg 2x, b.jpg 2x"
                                         << "a.jpg";
        QTest::newRow("commas inside an address") << "/w_400,h_600/a.jpg 400w, /w_800,h_1200/b.jpg 800w"
                                                  << "/w_800,h_1200/b.jpg";
        QTest::newRow("comma ending an address, no blank") << "a.jpg,b.jpg 2x"
                                                           << "a.jpg,b.jpg";
        QTest::newRow("trailing commas end a candidate") << "a.jpg,, b.jpg 3x"
                                                         << "b.jpg";
        QTest::newRow("line breaks and tabs") << "\n\ta.jpg\n 1x,\n\tb.jpg\t2x\n"
                                              << "b.jpg";
        QTest::newRow("height and unknown descriptors say nothing") << "a.jpg 300h, b.jpg 2x, c.jpg big"
                                                                    << "b.jpg";
        QTest::newRow("descriptor with parentheses") << "a.jpg 2x (odd, thing), b.jpg 1x"
                                                     << "a.jpg";
        QTest::newRow("unclosed parenthesis") << "a.jpg (2x, b.jpg 3x"
                                              << "a.jpg";
        QTest::newRow("zero and negative sizes say nothing") << "a.jpg 0w, b.jpg -5x, c.jpg 10w"
                                                             << "c.jpg";
        QTest::newRow("data: address whole") << "data:image/gif;base64,R0lG 1x"
                                             << "data:image/gif;base64,R0lG";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("commas and blanks only") << " , ,, "
                                                << "";
    }
    void largestCandidate()
    {
        QFETCH(QString, srcset);
        QFETCH(QString, address);
        QCOMPARE(largestSrcsetCandidate(srcset), address);
    }
};

QTEST_GUILESS_MAIN(TestSrcset)
#include "tst_srcset.moc"
