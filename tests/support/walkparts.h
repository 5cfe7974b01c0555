#pragma once

#include "app/mode.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "fakeboard.h"
#include "recordingstatusline.h"
#include "scriptedinputbox.h"
#include "web/imagewalk.h"
#include "web/walkpausestate.h"

// Everything one chapter walk needs, fresh for each walk, with the preset mode's keyword lists.
// Fetcher is the fake fetcher for scripted pages or the HTTP one for the loopback server.
template <typename Fetcher> struct WalkParts
{
    Fetcher fetcher;
    FakeBoard board;
    RecordingStatusLine status;
    ScriptedInputBox input;
    Settings settings;
    Mode mode;
    RunFlags flags;
    WalkPauseState pauseState;
    ImageWalk walk{fetcher, board, status, input, settings, mode, flags, pauseState};

    WalkParts()
    {
        mode.setBlockUrl(QStringLiteral("javascript,void,download,class=,src="));
        mode.setBlockImg(QStringLiteral("logo,bar,icons,shadow,avatars"));
    }
};
