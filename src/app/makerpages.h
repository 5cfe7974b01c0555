#pragma once

#include <QProcessEnvironment>
#include <QString>

// The maker's download page: read by the update check, opened for help and for an update. The
// environment variable TAVRIN_UPDATE_URL replaces it (tests point it at a loopback server).
QString downloadPageAddress(const QProcessEnvironment &environment);

// The maker's page about modes: the download page at its "mode" section.
QString modesPageAddress(const QProcessEnvironment &environment);
