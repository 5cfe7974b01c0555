#pragma once

#include <QCheckBox>

// A check box that can show the indeterminate state (the option file may hold it) while a click
// only ever switches between cleared and set.
class OptionCheckBox final : public QCheckBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionCheckBox)

public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override;
};
