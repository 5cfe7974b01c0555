#include "controls/button/contentlayout.h"

#include <algorithm>

namespace {

enum PictureAlign
{
    LeftEdge = 0,
    LeftOfCaption = 1,
    RightEdge = 2,
    RightOfCaption = 3,
    Behind = 4,
    TopEdge = 5,
    AboveCaption = 6,
    BottomEdge = 7,
    BelowCaption = 8,
};

enum CaptionAlign
{
    AlignLeft = 0,
    AlignCenter = 1,
    AlignRight = 2,
};

ContentPlacement placeByPictureAlign(const ContentMetrics &m)
{
    const int W = m.width;
    const int H = m.height;
    const int pw = m.pictureWidth;
    const int ph = m.pictureHeight;
    const int tw = m.textWidth;
    const int th = m.textHeight;
    ContentPlacement p{0, 0, pw, ph, 0, 0};
    const int middleY = (H - ph) / 2;
    const int captionMiddleY = H / 2 - th / 2;
    const int centreX = (W - pw) / 2;
    const int captionCentreX = W / 2 - tw / 2;
    switch (m.pictureAlign) {
    case LeftEdge:
        p = {4, middleY, pw, ph, std::max(W / 2 - tw / 2 + pw / 2, pw + 8), captionMiddleY};
        break;
    case LeftOfCaption:
        p = {std::max((W - pw - tw) / 2, 4),
             middleY,
             pw,
             ph,
             std::max(W / 2 - tw / 2 + pw / 2 + 3, pw + 8),
             captionMiddleY};
        break;
    case RightEdge:
        p = {W - pw - 4, middleY, pw, ph, W - tw - pw - 4, captionMiddleY};
        break;
    case RightOfCaption: {
        const int capX = W / 2 - tw / 2 - pw / 2 - 3;
        p = {std::min((W - pw + tw) / 2, W - pw - 4), middleY,       pw, ph,
             capX < 0 ? W - tw - pw - 4 : capX,       captionMiddleY};
        break;
    }
    case Behind:
        p = {centreX, middleY, pw, ph, captionCentreX, captionMiddleY};
        break;
    case TopEdge:
        p = {centreX, 4, pw, ph, captionCentreX, ph / 2 + H / 2 - th / 2 + 2};
        break;
    case AboveCaption:
        p = {centreX, std::max((H - ph - th) / 2, 4), pw, ph, captionCentreX, ph / 2 + H / 2 - th / 2 + 2};
        break;
    case BottomEdge:
        p = {centreX, H - ph - 4, pw, ph, captionCentreX, H / 2 - ph / 2 - th / 2 - 2};
        break;
    case BelowCaption:
        p = {centreX,
             std::min((H - ph + th) / 2, H - ph - 4),
             pw,
             ph,
             captionCentreX,
             H / 2 - ph / 2 - th / 2 - 2};
        break;
    default:
        break;
    }
    return p;
}

void keepInside(const ContentMetrics &m, ContentPlacement &p)
{
    p.picX = std::max(p.picX, 1);
    p.picY = std::max(p.picY, 1);
    if (p.picX + p.pictureWidth > m.width)
        p.pictureWidth = m.width - 8;
    if (p.picY + p.pictureHeight > m.height)
        p.pictureHeight = m.height - 4;
}

void alignWithoutPicture(const ContentMetrics &m, ContentPlacement &p)
{
    const int tw = m.textWidth;
    switch (m.captionAlign) {
    case AlignLeft:
        p.capX = 4;
        break;
    case AlignCenter:
        p.capX = m.width / 2 - tw / 2;
        break;
    case AlignRight:
        p.capX = m.width - tw - 4;
        break;
    default:
        break;
    }
    p.capY = m.height / 2 - m.textHeight / 2;
    p.picX = 0;
    p.picY = 0;
}

void alignLeftOfPicture(const ContentMetrics &m, ContentPlacement &p)
{
    switch (m.pictureAlign) {
    case LeftEdge:
        p.capX = p.pictureWidth + 8;
        break;
    case LeftOfCaption:
        p.picX = 4;
        p.capX = p.pictureWidth + 8;
        break;
    case RightEdge:
        if (p.capX >= 4)
            p.capX = 4;
        break;
    case RightOfCaption:
        p.picX = m.textWidth + 4;
        p.capX = 4;
        break;
    default:
        p.capX = 4;
        break;
    }
}

void alignRightWithPicture(const ContentMetrics &m, ContentPlacement &p)
{
    const int W = m.width;
    const int tw = m.textWidth;
    const int pw = p.pictureWidth;
    switch (m.pictureAlign) {
    case LeftEdge:
        p.capX = std::max(W - tw - 4, pw + 4);
        break;
    case LeftOfCaption:
        p.capX = W - tw - 4;
        p.picX = p.capX - pw - 4;
        break;
    case RightEdge:
        p.capX = W - tw - pw - 4;
        break;
    case RightOfCaption:
        p.picX = W - pw - 4;
        p.capX = W - tw - pw - 4;
        break;
    default:
        p.capX = W - tw - 4;
        break;
    }
}

void alignCaption(const ContentMetrics &m, ContentPlacement &p)
{
    if (!m.hasPicture) {
        alignWithoutPicture(m, p);
        return;
    }
    switch (m.captionAlign) {
    case AlignLeft:
        alignLeftOfPicture(m, p);
        break;
    case AlignCenter:
        if (m.pictureAlign == RightEdge && p.capX >= 0)
            p.capX = m.width / 2 - m.textWidth / 2;
        break;
    case AlignRight:
        alignRightWithPicture(m, p);
        break;
    default:
        break;
    }
}

} // namespace

ContentPlacement placeContent(const ContentMetrics &metrics)
{
    ContentPlacement placement = placeByPictureAlign(metrics);
    keepInside(metrics, placement);
    alignCaption(metrics, placement);
    if (metrics.hasAccessKey)
        placement.capX += 3;
    return placement;
}
