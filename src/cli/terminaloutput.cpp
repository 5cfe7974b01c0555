#include "cli/terminaloutput.h"

#include <unistd.h>

TerminalOutput::TerminalOutput(std::FILE *stream) : m_stream(stream), m_terminal(::isatty(::fileno(stream)) == 1) {}

void TerminalOutput::line(const QString &text)
{
    clearProgress();
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_stream);
    std::fflush(m_stream);
}

void TerminalOutput::progress(const QString &text)
{
    if (!m_terminal)
        return;
    const QByteArray bytes = "\r\033[K" + text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_stream);
    std::fflush(m_stream);
    m_progressShown = true;
}

void TerminalOutput::clearProgress()
{
    if (!m_progressShown)
        return;
    std::fputs("\r\033[K", m_stream);
    m_progressShown = false;
}
