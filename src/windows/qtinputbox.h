#pragma once

#include "platform/inputbox.h"

class QWidget;

// The one-line question shown with QInputDialog; Cancel answers empty text.
class QtInputBox final : public InputBox
{
public:
    explicit QtInputBox(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    QString ask(const QString &prompt, const QString &title, const QString &defaultText) override;

private:
    QWidget *m_parent;
};
