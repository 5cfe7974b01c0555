#pragma once

#include <QWidget>

class Mode;
class Settings;

// Stands where the main window will be: shows the folder and the options in force.
class PlaceholderWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PlaceholderWindow)

public:
    PlaceholderWindow(const QString &appFolder, const Settings &settings, const Mode &mode,
                      QWidget *parent = nullptr);
};
