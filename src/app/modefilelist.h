#pragma once

#include <QString>

// The settings window's list of mode files as the mode actions see it: the folder it lists, the
// entry the user selected (file name with extension, empty when none) and re-reading the folder.
class ModeFileList
{
public:
    virtual ~ModeFileList() = default;
    virtual QString folder() const = 0;
    virtual QString selectedEntry() const = 0;
    virtual void refresh() = 0;
};
