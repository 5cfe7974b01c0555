#pragma once

#include <QImage>
#include <QMetaType>

// A button picture: an icon (drawn scaled, with its transparency), a bitmap (copied unscaled), or none.
class ButtonPicture
{
public:
    enum class Kind
    {
        None,
        Icon,
        Bitmap,
    };

    ButtonPicture() = default;
    static ButtonPicture icon(const QImage &image);
    static ButtonPicture bitmap(const QImage &image);

    Kind kind() const { return m_kind; }
    bool isNone() const { return m_kind == Kind::None; }
    const QImage &image() const { return m_image; }
    // The natural size in pixels.
    QSize size() const { return m_image.size(); }

    bool operator==(const ButtonPicture &other) const;

private:
    ButtonPicture(Kind kind, const QImage &image);

    Kind m_kind = Kind::None;
    QImage m_image;
};

Q_DECLARE_METATYPE(ButtonPicture)
