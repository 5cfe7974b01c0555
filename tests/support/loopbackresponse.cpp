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
