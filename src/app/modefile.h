#pragma once

#include "platform/filewriteresult.h"

#include <QString>

class Mode;

// Mode files: Mode/<name>.tdm in the app folder, key=value lines in the narrow code page.

// Loads the named mode into `mode`: the fields its file names, then the name. False (and `mode`
// untouched) when there is no such file or the name is not a plain file name.
bool LoadMode(const QString &appFolder, const QString &name, Mode &mode);

// Writes the preset mode file Normal.tdm and makes it the active mode.
void WriteDefaultMode(const QString &appFolder, Mode &mode);

// Writes the preset mode file Reader.tdm (every reader switch on) when there is none; the active
// mode stays as it is.
void WriteReaderMode(const QString &appFolder);

// Writes the fields of `mode` as the mode file `name`, flags as "True"/"False"; a reader switch
// only when it is on. An earlier file of that name (found without regard to case) is replaced, or
// left whole when the write fails.
FileWriteResult SaveMode(const QString &appFolder, const QString &name, const Mode &mode);

// The folder of the mode files (existing one found without regard to case).
QString modeFolder(const QString &appFolder);
