#include "app/appfolder.h"
#include "app/mode.h"
#include "app/optionfile.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "tasks/imagedownloader.h"
#include "web/httppagefetcher.h"
#include "windows/mainwindow.h"
#include "windows/qtinputbox.h"
#include "windows/qtmessagebox.h"
#include "windows/qtshelllauncher.h"

#include <QApplication>

namespace {

// Stands in until the image download engine is wired: ends each task at once.
class PendingDownloader final : public ImageDownloader
{
public:
    void start(qint16 task, const QString &, const QString &) override { Q_EMIT taskEnded(task); }
    bool isBusy() const override { return false; }
    void taskRemoved(qint16) override {}
    void abort() override {}
};

} // namespace

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
    RunFlags flags;
    QtMessageBox messages;
    QtInputBox inputBox;
    QtShellLauncher launcher;
    HttpPageFetcher fetcher;
    LoadSettings(appFolder, settings, mode, messages);

    MainWindow window({appFolder, settings, mode, flags, fetcher, messages, inputBox, launcher,
                       [](TaskBoard &, StatusLine &) { return std::make_unique<PendingDownloader>(); }});
    messages.setParent(&window);
    inputBox.setParent(&window);
    window.show();
    return QApplication::exec();
}
