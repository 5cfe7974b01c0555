#include "controls/button/buttonpicture.h"

ButtonPicture::ButtonPicture(Kind kind, const QImage &image)
    : m_kind(image.isNull() ? Kind::None : kind), m_image(image)
{
}

ButtonPicture ButtonPicture::icon(const QImage &image)
{
    return {Kind::Icon, image.convertToFormat(QImage::Format_ARGB32)};
}

ButtonPicture ButtonPicture::bitmap(const QImage &image)
{
    return {Kind::Bitmap, image.convertToFormat(QImage::Format_RGB32)};
}

bool ButtonPicture::operator==(const ButtonPicture &other) const
{
    return m_kind == other.m_kind && m_image == other.m_image;
}
