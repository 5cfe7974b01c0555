#include "cli/terminalboard.h"
#include "cli/terminaldialogs.h"
#include "cli/terminaloutput.h"

#include <cstdio>
#include <QTest>

namespace {

// Standard error written to memory, as a terminal or as a pipe would get it.
struct Captured
{
    char *buffer = nullptr;
    size_t size = 0;
    std::FILE *stream = open_memstream(&buffer, &size);

    ~Captured()
    {
        std::fclose(stream);
        std::free(buffer);
    }
    QByteArray text()
    {
        std::fflush(stream);
        return QByteArray(buffer, qsizetype(size));
    }
};

} // namespace

class TestTerminalBoard final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statesAreLinesAndProgressRedrawsOnATerminal_data()
    {
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("terminal") << true
                                  << QByteArray("[第1话] 下载开始...\n"
                                                "\r\033[K[第1话] 37% \r\033[K[第1话] 37% 下载进度3/9,当前速度:12.50KB/s"
                                                "\r\033[K[第1话] 下载完成!\n");
        QTest::newRow("pipe: lines only") << false << QByteArray("[第1话] 下载开始...\n[第1话] 下载完成!\n");
    }
    void statesAreLinesAndProgressRedrawsOnATerminal()
    {
        QFETCH(bool, terminal);
        QFETCH(QByteArray, written);
        Captured err;
        TerminalOutput output(err.stream, terminal);
        TerminalBoard board(output);
        qint16 index = -1;
        QVERIFY(board.Add(QStringLiteral("第1话"), QStringLiteral("http://a/"), index));
        board.ChangeState(index, QStringLiteral("下载开始..."));
        board.Cpro(index, 37);
        board.setText(QStringLiteral("下载进度3/9,当前速度:12.50KB/s"));
        board.ChangeState(index, QStringLiteral("下载完成!"));
        QCOMPARE(err.text(), written);
        QCOMPARE(board.task(index).states, (QStringList{QStringLiteral("下载开始..."), QStringLiteral("下载完成!")}));
    }

    void missingTaskThrows()
    {
        Captured err;
        TerminalOutput output(err.stream, false);
        TerminalBoard board(output);
        QCOMPARE(board.GetURL(3), QStringLiteral("None"));
        QVERIFY_THROWS_EXCEPTION(MissingTaskError, board.ChangeState(3, QStringLiteral("x")));
    }

    void choicesAnswerInTurnThenCancel()
    {
        Captured err;
        TerminalOutput output(err.stream, false);
        TerminalInputBox input(output, {QStringLiteral("2"), QStringLiteral("1")});
        QCOMPARE(input.ask(QStringLiteral("which?"), QStringLiteral("选择"), {}), QStringLiteral("2"));
        QCOMPARE(input.ask(QStringLiteral("which?"), QStringLiteral("选择"), {}), QStringLiteral("1"));
        QCOMPARE(input.ask(QStringLiteral("which?"), QStringLiteral("选择"), {}), QString());
        QVERIFY(err.text().contains("no --choose answer left"));
    }
};

QTEST_GUILESS_MAIN(TestTerminalBoard)
#include "tst_terminalboard.moc"
