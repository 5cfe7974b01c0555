#include "app/programversion.h"

QString versionText(const ProgramVersion &version)
{
    return QStringLiteral("%1.%2.%3").arg(version.majorPart).arg(version.minorPart).arg(version.revisionPart);
}
