#pragma once

#include <QByteArray>
#include <QList>
#include <utility>

// One request as the loopback server received it.
struct LoopbackRequest
{
    QByteArray method;
    QByteArray target; // the request target as sent: path and query
    QList<std::pair<QByteArray, QByteArray>> headers;
    QByteArray body;
    int connection = 0; // which connection carried it, numbered from 1 in the order they were accepted

    // The first header of that name (compared without case), empty when absent.
    QByteArray header(const QByteArray &name) const;
    bool hasHeader(const QByteArray &name) const;
};
