#include "platform/basicnumbers.h"

#include <QTest>

class TestBasicNumbers final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "45" << 45.0;
        QTest::newRow("trailing letters") << "2x" << 2.0;
        QTest::newRow("letters only") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("negative") << "-1" << -1.0;
        QTest::newRow("fraction") << "1.6" << 1.6;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("blanks skipped") << " 1 2" << 12.0;
        QTest::newRow("exponent") << "1.5e1z" << 15.0;
        QTest::newRow("dangling exponent") << "3e" << 3.0;
        QTest::newRow("bare point") << "." << 0.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("hex") << "&H1F" << 31.0;
        QTest::newRow("hex 16-bit negative") << "&HFFFF" << -1.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("True is no number") << "True" << 0.0;
        QTest::newRow("fullwidth digit is no digit") << "１" << 0.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(::leadingNumber(text), expected);
    }

    void wholeNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("integer") << "80" << true << 80.0;
        QTest::newRow("fraction") << "2.5" << true << 2.5;
        QTest::newRow("surrounding blanks") << " 3 " << true << 3.0;
        QTest::newRow("negative") << "-4" << true << -4.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("trailing letters") << "5a" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("overflow") << "1e999" << false << 0.0;
    }
    void wholeNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        const auto result = ::wholeNumber(text);
        QCOMPARE(result.has_value(), isNumber);
        if (isNumber)
            QCOMPARE(*result, value);
    }

    void toInt16_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("expected");
        QTest::newRow("2.5 to even") << 2.5 << true << 2;
        QTest::newRow("3.5 to even") << 3.5 << true << 4;
        QTest::newRow("-2.5 to even") << -2.5 << true << -2;
        QTest::newRow("1.6 up") << 1.6 << true << 2;
        QTest::newRow("0.5 to zero") << 0.5 << true << 0;
        QTest::newRow("max") << 32767.0 << true << 32767;
        QTest::newRow("max + half rounds to even overflow") << 32767.5 << false << 0;
        QTest::newRow("min") << -32768.0 << true << -32768;
        QTest::newRow("below min") << -32769.0 << false << 0;
    }
    void toInt16()
    {
        QFETCH(double, value);
        QFETCH(bool, fits);
        QFETCH(int, expected);
        const auto result = ::toInt16(value);
        QCOMPARE(result.has_value(), fits);
        if (fits)
            QCOMPARE(int(*result), expected);
    }

    void numberToText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("integer") << 45.0 << " 45";
        QTest::newRow("fraction") << 12.5 << " 12.5";
        QTest::newRow("below one") << 0.75 << " .75";
        QTest::newRow("zero") << 0.0 << " 0";
        QTest::newRow("negative below one") << -0.5 << "-.5";
        QTest::newRow("negative") << -3.0 << "-3";
        QTest::newRow("hundred") << 100.0 << " 100";
        QTest::newRow("fifteen digits") << 123456789012345.0 << " 123456789012345";
        QTest::newRow("large") << 1e16 << " 1E+16";
        QTest::newRow("tiny") << 0.00001 << " 1E-05";
        QTest::newRow("binary fraction kept short") << 0.1 + 0.2 << " .3";
    }
    void numberToText()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(::numberToText(value), expected);
    }

    void formatTwoDecimals_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pi") << 3.14159 << "3.14";
        QTest::newRow("half") << 0.5 << "0.50";
        QTest::newRow("zero") << 0.0 << "0.00";
        QTest::newRow("large") << 1234.567 << "1234.57";
    }
    void formatTwoDecimals()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(::formatTwoDecimals(value), expected);
    }
};

QTEST_GUILESS_MAIN(TestBasicNumbers)
#include "tst_basicnumbers.moc"
