#pragma once

#include "cli/chapterresult.h"

#include <QtGlobal>

struct CliSession;

// Runs one task to its end on the session's event loop, judges it and, when asked and the
// chapter is whole, packs its comic archive. Each failure is named on standard error.
ChapterResult runChapter(CliSession &session, qint16 index, bool listOnly);

// The closing line of a chapter: its title, images saved and failed, or what failed.
QString chapterSummary(const QString &title, const ChapterResult &result);
