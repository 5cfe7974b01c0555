#pragma once

#include <functional>
#include <QObject>

class QSocketNotifier;

// Ctrl-C and SIGTERM reach the command line as a call on its event loop (never inside a signal
// handler), so the running download can stop cleanly.
class StopSignals final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StopSignals)

public:
    // `onStop` gets the signal's number; a second signal while stopping ends the process at once.
    explicit StopSignals(std::function<void(int signal)> onStop, QObject *parent = nullptr);
    ~StopSignals() override;

private:
    void readSignal();

    std::function<void(int)> m_onStop;
    QSocketNotifier *m_notifier;
    bool m_stopping = false;
};
