#include "windows/qtmessagebox.h"

#include "controls/common/uifonts.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon toQtIcon(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Icon::Information:
        return QMessageBox::Information;
    case MessageBox::Icon::Question:
        return QMessageBox::Question;
    case MessageBox::Icon::Warning:
        return QMessageBox::Warning;
    case MessageBox::Icon::Critical:
        return QMessageBox::Critical;
    case MessageBox::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageBox::Answer QtMessageBox::show(const QString &text, const QString &title, Buttons buttons, Icon icon)
{
    QMessageBox box(toQtIcon(icon), title, text,
                    buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    m_parent);
    box.setFont(windowFont());
    // Some texts come from web pages (the update notes): never let them act as markup.
    box.setTextFormat(Qt::PlainText);
    const int pressed = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}
