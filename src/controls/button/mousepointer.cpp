#include "controls/button/mousepointer.h"

#include <array>
#include <QPixmap>

namespace {

// Kinds 1-15 in their order: arrow, cross, I-beam, icon, size, size NE-SW, size N-S, size NW-SE,
// size W-E, up arrow, hourglass, no drop, arrow and hourglass, arrow and question mark, size all.
constexpr std::array<Qt::CursorShape, 15> Shapes{
    Qt::ArrowCursor,     Qt::CrossCursor,     Qt::IBeamCursor,     Qt::ArrowCursor,     Qt::SizeAllCursor,
    Qt::SizeBDiagCursor, Qt::SizeVerCursor,   Qt::SizeFDiagCursor, Qt::SizeHorCursor,   Qt::UpArrowCursor,
    Qt::WaitCursor,      Qt::ForbiddenCursor, Qt::BusyCursor,      Qt::WhatsThisCursor, Qt::SizeAllCursor,
};

constexpr qint16 CustomPointer = 99;

} // namespace

std::optional<QCursor> cursorForPointer(qint16 kind, const ButtonPicture &mouseIcon)
{
    if (kind >= 1 && kind <= qint16(Shapes.size()))
        return QCursor(Shapes[size_t(kind - 1)]);
    if (kind == CustomPointer && !mouseIcon.isNone())
        return QCursor(QPixmap::fromImage(mouseIcon.image()));
    return std::nullopt;
}
