#include "loopbackresponse.h"

LoopbackResponse LoopbackResponse::page(const QByteArray &body, const QByteArray &contentType)
{
    LoopbackResponse response;
    response.body = body;
    response.headers.append({"Content-Type", contentType});
    return response;
}

LoopbackResponse LoopbackResponse::withStatus(int status, const QByteArray &body)
{
    LoopbackResponse response = page(body);
    response.status = status;
    return response;
}

LoopbackResponse LoopbackResponse::redirect(const QByteArray &location, int status)
{
    LoopbackResponse response;
    response.status = status;
    response.headers.append({"Location", location});
    return response;
}

LoopbackResponse LoopbackResponse::stall()
{
    LoopbackResponse response;
    response.neverAnswer = true;
    return response;
}

qint64 LoopbackResponse::rangeStart(const QByteArray &range)
{
    if (!range.startsWith("bytes=") || !range.endsWith('-'))
        return 0;
    return range.mid(6, range.size() - 7).toLongLong();
}

LoopbackResponse LoopbackResponse::ranged(const QByteArray &body, const QByteArray &range,
                                          const QByteArray &contentType)
{
    const qint64 from = rangeStart(range);
    LoopbackResponse response = page(from > 0 ? body.mid(from) : body, contentType);
    response.headers.emplaceBack("Accept-Ranges", "bytes");
    if (from > 0 && from < body.size()) {
        response.status = 206;
        response.headers.append({"Content-Range", "bytes " + QByteArray::number(from) + '-' +
                                                      QByteArray::number(body.size() - 1) + '/' +
                                                      QByteArray::number(body.size())});
    } else if (from > 0) {
        response = withStatus(416, {});
        response.headers.append({"Content-Range", "bytes */" + QByteArray::number(body.size())});
    }
    return response;
}
