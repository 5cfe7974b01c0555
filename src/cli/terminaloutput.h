#pragma once

#include <cstdio>
#include <QString>

// Standard error as the command line writes to it: lines, and on a terminal one progress line at
// the bottom that is redrawn in place and cleared before each new line.
class TerminalOutput
{
public:
    explicit TerminalOutput(std::FILE *stream = stderr);
    // For tests: as if the stream were (not) a terminal.
    TerminalOutput(std::FILE *stream, bool isTerminal) : m_stream(stream), m_terminal(isTerminal) {}

    bool isTerminal() const { return m_terminal; }
    void line(const QString &text);
    // Shown only on a terminal.
    void progress(const QString &text);

private:
    void clearProgress();

    std::FILE *m_stream;
    bool m_terminal;
    bool m_progressShown = false;
};
