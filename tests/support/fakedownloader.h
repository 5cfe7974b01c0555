#pragma once

#include "tasks/imagedownloader.h"

#include <QList>

// Takes every download it is given and holds it until the test ends it.
class FakeDownloader final : public ImageDownloader
{
    Q_OBJECT

public:
    struct Started
    {
        qint16 task;
        QString listText;
        QString folderPath;
        QStringList imagePages;
    };

    QList<Started> started;
    QList<qint16> removed;
    int aborts = 0;

    using ImageDownloader::start;
    void start(qint16 task, const QString &listText, const QString &folderPath,
               const QStringList &imagePages) override
    {
        started.append({task, listText, folderPath, imagePages});
        m_active = task;
    }
    bool isBusy() const override { return m_active >= 0; }
    void taskRemoved(qint16 task) override
    {
        removed.append(task);
        if (task == m_active)
            end();
    }
    void abort() override
    {
        ++aborts;
        m_active = -1;
    }

    // The running download ends as a real one does.
    void end()
    {
        const qint16 task = m_active;
        m_active = -1;
        Q_EMIT taskEnded(task);
    }

private:
    qint16 m_active = -1;
};
