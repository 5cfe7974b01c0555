#include "windows/qtinputbox.h"

#include "controls/common/uifonts.h"

#include <QInputDialog>

QString QtInputBox::ask(const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog dialog(m_parent);
    dialog.setFont(windowFont());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}
