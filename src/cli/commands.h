#pragma once

struct CliSession;

// The subcommands; each returns the exit status.
int runGet(CliSession &session);
int runAnalyse(CliSession &session);
int runDownload(CliSession &session);
