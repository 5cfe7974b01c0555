#include "cli/clisession.h"

#include "tasks/imagedownloader.h"
#include "tasks/taskcore.h"

CliSession::CliSession(const CliOptions &options, const QString &appFolder, const DownloaderFactory &makeDownloader)
    : options(options), appFolder(appFolder), input(output, options.choices),
      downloader(makeDownloader(board, terminal, launcher, settings, flags, network)),
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
