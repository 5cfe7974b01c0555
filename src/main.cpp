#include "app/appfolder.h"
#include "app/mode.h"
#include "app/optionfile.h"
#include "app/settings.h"
#include "windows/placeholderwindow.h"
#include "windows/qtmessagebox.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavrin"));
    QApplication::setOrganizationName(QStringLiteral("tavrin"));

    const QString appFolder =
        resolveAppFolder(QApplication::arguments(), QProcessEnvironment::systemEnvironment(),
                         QApplication::applicationDirPath());
    Settings settings;
    Mode mode;
    QtMessageBox messages;
    LoadSettings(appFolder, settings, mode, messages);

    PlaceholderWindow window(appFolder, settings, mode);
    window.show();
    return QApplication::exec();
}
