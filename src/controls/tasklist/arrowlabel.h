#pragma once

#include <QLabel>

// An arrow of the task list's scroll strip. It acts when a mouse button that went down on it
// comes up again, wherever the pointer is by then.
class ArrowLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ArrowLabel)

public:
    ArrowLabel(const QString &arrow, const QColor &background, QWidget *parent);

Q_SIGNALS:
    void released();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Qt::MouseButtons m_pressed;
};
