#pragma once

#include "platform/statusline.h"

#include <QLabel>

// The main window's status line: blue text that sizes itself to what it says.
class StatusLabel final : public QLabel, public StatusLine
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusLabel)

public:
    explicit StatusLabel(QWidget *parent = nullptr);
    void setText(const QString &text) override;
};
