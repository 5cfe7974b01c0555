#pragma once

#include <QWidget>

// A frame that groups controls: a thin border whose top line runs through the middle of the caption
// at its upper left. Children are placed in the frame's own coordinates, caption area included, so
// the designed places inside a frame hold as they are.
class CaptionFrame final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CaptionFrame)

public:
    explicit CaptionFrame(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
};
