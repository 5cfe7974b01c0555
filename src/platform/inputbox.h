#pragma once

#include <QString>

// A modal one-line question: prompt, title and default text in, the typed line out
// (empty text when the user cancels).
class InputBox
{
public:
    virtual ~InputBox() = default;
    virtual QString ask(const QString &prompt, const QString &title, const QString &defaultText = {}) = 0;
};
