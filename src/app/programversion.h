#pragma once

#include <QString>

// The version of this build, in three whole parts.
struct ProgramVersion
{
    int majorPart = 0;
    int minorPart = 1;
    int revisionPart = 4;
};

// The parts as plain decimal numbers joined by ".": "0.1.4".
QString versionText(const ProgramVersion &version = {});
