#pragma once

#include <QString>

// The main window's one-line status text.
class StatusLine
{
public:
    virtual ~StatusLine() = default;
    virtual void setText(const QString &text) = 0;
};
