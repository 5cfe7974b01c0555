#pragma once

#include "platform/messagebox.h"

#include <QList>

// Records every message and answers from a script (Ok / Yes by default once the script is used up).
class ScriptedMessageBox final : public MessageBox
{
public:
    struct Shown
    {
        QString text;
        QString title;
        Buttons buttons;
        Icon icon;
    };

    QList<Answer> answers;
    QList<Shown> shown;

    Answer show(const QString &text, const QString &title, Buttons buttons, Icon icon) override
    {
        shown.append({text, title, buttons, icon});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
};
