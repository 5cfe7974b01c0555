#pragma once

#include <QString>

class InputBox;
class MessageBox;
class Mode;
class ModeFileList;
class Settings;
class ShellLauncher;

// What the settings window's buttons do: save the options, and load, update, save as and delete
// mode files, telling the user the outcome. The records are the live ones the window shows.
class SettingsActions
{
public:
    SettingsActions(QString appFolder, const Settings &settings, Mode &mode, ModeFileList &modeFiles,
                    MessageBox &messages, InputBox &input, ShellLauncher &launcher);

    // Writes Option.ini. True when it is saved (the window then closes); a failed write is reported.
    bool saveSettings();
    // Loads the mode selected in the list; it becomes the active mode.
    void loadSelectedMode();
    // Saves the active mode under its own name and reads it back.
    void updateMode();
    // Saves the active mode's fields under a name the user gives; the active mode stays as it is.
    void saveModeAs();
    // Deletes the selected mode file, after a question; the preset mode is refused.
    void deleteSelectedMode();
    void openModesPage();

    // A name is accepted only when it holds none of ? < > * : " / \ and no blank at either end.
    static bool isValidModeName(const QString &name);

private:
    void reportError(const QString &description);
    void inform(const QString &text);

    QString m_appFolder;
    const Settings &m_settings;
    Mode &m_mode;
    ModeFileList &m_modeFiles;
    MessageBox &m_messages;
    InputBox &m_input;
    ShellLauncher &m_launcher;
};
