#pragma once

#include "platform/inputbox.h"
#include "platform/messagebox.h"

#include <cstdio>
#include <QStringList>

class TerminalOutput;

// The question of which next page to take: on a terminal the user types the answer; otherwise the
// answers given on the command line are used in turn, and with none left the answer is Cancel.
class TerminalInputBox final : public InputBox
{
public:
    TerminalInputBox(TerminalOutput &output, const QStringList &answers, std::FILE *input = stdin);
    QString ask(const QString &prompt, const QString &title, const QString &defaultText) override;

private:
    QString readLine();

    TerminalOutput &m_output;
    QStringList m_answers;
    std::FILE *m_input;
    bool m_interactive;
};

// Messages are written out; nobody is there to press a button, so they answer OK (and Yes).
class TerminalMessageBox final : public MessageBox
{
public:
    explicit TerminalMessageBox(TerminalOutput &output) : m_output(output) {}
    Answer show(const QString &text, const QString &title, Buttons buttons, Icon icon) override;

private:
    TerminalOutput &m_output;
};
