#include "cli/clisession.h"

#include "tasks/imagedownloader.h"
#include "tasks/taskcore.h"

namespace {

DownloadOptions downloadOptionsOf(const CliOptions &options)
{
    DownloadOptions chosen;
    chosen.keepExisting = options.keepExisting;
    chosen.imageInterval = std::chrono::milliseconds(qRound64(options.waitSeconds.value_or(0) * 1000));
    return chosen;
}

} // namespace

CliSession::CliSession(const CliOptions &options, const QString &appFolder, const DownloaderFactory &makeDownloader)
    : options(options), appFolder(appFolder), input(output, options.choices),
      downloadOptions(downloadOptionsOf(options)),
      downloader(makeDownloader(board, terminal, launcher, settings, flags, downloadOptions, network)),
      core(std::make_unique<TaskCore>(TaskCore::Services{appFolder, fetcher, board, terminal, input, messages,
                                                         launcher, lock, *downloader, settings, mode, flags}))
{
    network.configure(fetcher.network());
}

CliSession::~CliSession()
{
    core.reset();
    downloader.reset();
}
