#pragma once

#include "platform/inputbox.h"

#include <QStringList>

// Records every question and answers from a script; empty text (Cancel) once it is used up.
class ScriptedInputBox final : public InputBox
{
public:
    struct Asked
    {
        QString prompt;
        QString title;
        QString defaultText;
    };

    QStringList answers;
    QList<Asked> asked;

    QString ask(const QString &prompt, const QString &title, const QString &defaultText) override
    {
        asked.append({prompt, title, defaultText});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};
