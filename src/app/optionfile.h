#pragma once

#include "platform/filewriteresult.h"

#include <QString>

class MessageBox;
class Mode;
class Settings;

// Start-up: makes Download/ (and Mode/Reader.tdm when missing), writes a default Option.ini when there is none, reads it and loads
// the mode it names (the preset mode, after a message, when that mode cannot be loaded).
void LoadSettings(const QString &appFolder, Settings &settings, Mode &mode, MessageBox &messages);

// Writes the three default lines of Option.ini, then tries to load the mode "Normal".
void WriteDefaultOptions(const QString &appFolder, Mode &mode);

// Writes Option.ini as the settings window saves it: Reset, AutoOpen, UsingMode, then Proxy and
// Cookies when they are set.
FileWriteResult SaveOptions(const QString &appFolder, const Settings &settings, const Mode &mode);

QString optionFilePath(const QString &appFolder);
QString downloadFolder(const QString &appFolder);
