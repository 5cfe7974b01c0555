#include "cli/terminaldialogs.h"

#include "cli/terminaloutput.h"

#include <unistd.h>

TerminalInputBox::TerminalInputBox(TerminalOutput &output, const QStringList &answers, std::FILE *input)
    : m_output(output), m_answers(answers), m_input(input),
      m_interactive(answers.isEmpty() && output.isTerminal() && ::isatty(::fileno(input)) == 1)
{
}

QString TerminalInputBox::ask(const QString &prompt, const QString &title, const QString &)
{
    m_output.line(QStringLiteral("%1: %2").arg(title, prompt));
    if (m_interactive) {
        m_output.line(QStringLiteral("> "));
        return readLine();
    }
    if (m_answers.isEmpty()) {
        m_output.line(QStringLiteral("(no --choose answer left: the walk ends here)"));
        return {};
    }
    const QString answer = m_answers.takeFirst();
    m_output.line(QStringLiteral("> %1").arg(answer));
    return answer;
}

QString TerminalInputBox::readLine()
{
    QByteArray bytes;
    for (int c = std::fgetc(m_input); c != EOF && c != '\n'; c = std::fgetc(m_input))
        bytes.append(char(c));
    return QString::fromLocal8Bit(bytes).trimmed();
}

MessageBox::Answer TerminalMessageBox::show(const QString &text, const QString &, Buttons buttons, Icon)
{
    m_output.line(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}
