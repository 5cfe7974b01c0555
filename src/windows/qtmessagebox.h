#pragma once

#include "platform/messagebox.h"

class QWidget;

// Messages shown with QMessageBox, modal to the given window.
class QtMessageBox final : public MessageBox
{
public:
    explicit QtMessageBox(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    Answer show(const QString &text, const QString &title, Buttons buttons, Icon icon) override;

private:
    QWidget *m_parent;
};
