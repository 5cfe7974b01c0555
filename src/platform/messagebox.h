#pragma once

#include <QString>

// A modal message: text, title, buttons and icon in, the button pressed out.
// The windows implement it with a real dialog; tests script the answers.
class MessageBox
{
public:
    enum class Buttons
    {
        Ok,
        YesNo
    };
    enum class Icon
    {
        None,
        Information,
        Question,
        Warning,
        Critical
    };
    enum class Answer
    {
        Ok,
        Yes,
        No
    };

    virtual ~MessageBox() = default;
    virtual Answer show(const QString &text, const QString &title, Buttons buttons = Buttons::Ok,
                        Icon icon = Icon::None) = 0;
};

// The title every message of the program carries unless it names another.
inline QString applicationTitle()
{
    return QStringLiteral("Tavrin漫画下载器");
}
