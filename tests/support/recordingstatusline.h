#pragma once

#include "platform/statusline.h"

#include <QStringList>

// The main window's status line in memory: every text it was given, in order.
class RecordingStatusLine final : public StatusLine
{
public:
    QStringList texts;

    void setText(const QString &text) override { texts.append(text); }
    QString text() const { return texts.isEmpty() ? QString() : texts.last(); }
};
