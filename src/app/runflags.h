#pragma once

// The pause button's link to a walk or transfer waiting on it: one record for the program,
// owned by the application and handed to whoever waits.
struct RunFlags
{
    bool pauseFlag = false;  // a pause has been asked for
    bool resumeFlag = false; // a paused transfer may go on
    bool shutdownWhenDone = false; // the main window's box: shut the computer down after the task
};
