#include "controls/button/styles/buttonskins.h"

#include "controls/button/styles/stylesupport.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// The skins are shaded from a cross-section of each side (outermost pixel first) swept round the
// corners of the 18 x 18 corner ellipse, so that corners, edges and the window shape agree.

namespace {

// The window shape cuts a corner pixel whose centre lies outside this circle round (8.5, 8.5).
constexpr double CornerMiddle = 8.5;
constexpr double CornerRadius = 8.75;
constexpr int PatchColumns = 18;

struct Shade
{
    double r = 0, g = 0, b = 0;
};

Shade shadeOf(int colour)
{
    return {double(colour & 0xFF), double((colour >> 8) & 0xFF), double((colour >> 16) & 0xFF)};
}

int colourOf(const Shade &s)
{
    const auto channel = [](double v) { return int(std::clamp(std::lround(v), 0L, 255L)); };
    return rgb(channel(s.r), channel(s.g), channel(s.b));
}

Shade mix(const Shade &a, const Shade &b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// One side of a skin from its outermost visible pixel inwards: a light halo outside the border,
// the border and bevel colours, then a blend into the centre colour over blendLength pixels.
struct SideProfile
{
    std::vector<int> halo;
    std::vector<int> body;
    int blendLength = 0;
};

struct SkinDesign
{
    int centre = 0;
    int outside = 0; // the row and column just beyond the button, never seen
    int topPatchRows = 0;
    int bottomPatchRows = 0;
    SideProfile left, right, top, bottom;
};

class SideShade
{
public:
    SideShade(const SideProfile &profile, int centre) : m_profile(profile), m_centre(shadeOf(centre)) {}

    double haloWidth() const { return double(m_profile.halo.size()); }
    bool hasHalo() const { return !m_profile.halo.empty(); }
    Shade halo() const { return hasHalo() ? shadeOf(m_profile.halo.back()) : m_centre; }

    // Colour at a fractional distance k inside the border.
    Shade body(double k) const
    {
        const int below = int(std::floor(k));
        return mix(step(below), step(below + 1), k - below);
    }

    // The pixel at depth d from the outline, along the straight part of the side.
    int at(int d) const
    {
        const int haloLength = int(m_profile.halo.size());
        if (d < haloLength)
            return m_profile.halo[std::size_t(d)];
        return colourOf(step(d - haloLength));
    }

private:
    Shade step(int k) const
    {
        const int bodyLength = int(m_profile.body.size());
        if (k < bodyLength)
            return shadeOf(m_profile.body[std::size_t(k)]);
        const int into = k - bodyLength + 1;
        if (into > m_profile.blendLength)
            return m_centre;
        return mix(shadeOf(m_profile.body.back()), m_centre, double(into) / (m_profile.blendLength + 1));
    }

    const SideProfile &m_profile;
    Shade m_centre;
};

Shade haloAt(const SideShade &side, const SideShade &end, double t)
{
    if (side.hasHalo() && end.hasHalo())
        return mix(side.halo(), end.halo(), t);
    return side.hasHalo() ? side.halo() : end.halo();
}

// The corner pixel at depth u from the side and v from the top or bottom edge. False when the
// window shape cuts it.
bool cornerColour(const SideShade &side, const SideShade &end, int u, int v, int &colour)
{
    const double qx = CornerMiddle - u;
    const double qy = CornerMiddle - v;
    if (qx <= 0 || qy <= 0) {
        const bool sideNearer = qy <= 0 && (qx > 0 || u < v);
        colour = sideNearer ? side.at(u) : end.at(v);
        return true;
    }
    const double r = std::hypot(qx, qy);
    if (r > CornerRadius)
        return false;
    const double depth = std::max(0.0, CornerMiddle - r);
    const double t = std::atan2(qy, qx) / (std::numbers::pi / 2); // 0 along the side, 1 along the end
    const double haloWidth = side.haloWidth() + (end.haloWidth() - side.haloWidth()) * t;
    if (depth < haloWidth - 0.5) {
        colour = colourOf(haloAt(side, end, t));
        return true;
    }
    const double k = std::max(0.0, depth - haloWidth);
    colour = colourOf(mix(side.body(k), end.body(k), t));
    return true;
}

// Offsets of the right and bottom patches count from W and H: offset 0 lies beyond the button and
// offset 1 is the outermost visible pixel.
std::vector<SkinPixel> buildPatch(const SideShade &side, const SideShade &end, int rows, bool fromRight,
                                  bool fromBottom, int outside)
{
    std::vector<SkinPixel> pixels;
    for (int dy = 0; dy < rows; ++dy) {
        for (int dx = 0; dx < PatchColumns; ++dx) {
            const int u = fromRight ? dx - 1 : dx;
            const int v = fromBottom ? dy - 1 : dy;
            int colour = outside;
            if ((u < 0 || v < 0) || cornerColour(side, end, u, v, colour))
                pixels.push_back({dx, dy, colour});
        }
    }
    return pixels;
}

ButtonSkin buildSkin(const SkinDesign &design)
{
    const SideShade left(design.left, design.centre);
    const SideShade right(design.right, design.centre);
    const SideShade top(design.top, design.centre);
    const SideShade bottom(design.bottom, design.centre);
    const int out = design.outside;

    ButtonSkin skin;
    skin.centre = design.centre;
    skin.patches[std::size_t(SkinPatch::TopLeft)] =
        buildPatch(left, top, design.topPatchRows, false, false, out);
    skin.patches[std::size_t(SkinPatch::TopRight)] =
        buildPatch(right, top, design.topPatchRows, true, false, out);
    skin.patches[std::size_t(SkinPatch::BottomLeft)] =
        buildPatch(left, bottom, design.bottomPatchRows, false, true, out);
    skin.patches[std::size_t(SkinPatch::BottomRight)] =
        buildPatch(right, bottom, design.bottomPatchRows, true, true, out);

    for (int x = 0; x < 18; ++x)
        skin.columns[std::size_t(x)] = left.at(x);
    for (int i = 18; i < ButtonSkin::EdgeColumns; ++i) // x = W - 17 ... W - 1: depth 16 ... 0
        skin.columns[std::size_t(i)] = right.at(ButtonSkin::EdgeColumns - 1 - i);
    for (int y = 0; y < 12; ++y)
        skin.rows[std::size_t(y)] = top.at(y);
    for (int i = 12; i < ButtonSkin::EdgeRows - 1; ++i) // y = H - 11 ... H - 1: depth 10 ... 0
        skin.rows[std::size_t(i)] = bottom.at(ButtonSkin::EdgeRows - 2 - i);
    skin.rows[ButtonSkin::EdgeRows - 1] = out;
    return skin;
}

constexpr int grey(int v)
{
    return rgb(v, v, v);
}

// Light grey and raised: a dark rim along the top, grey sides, a softer lower rim, a light bevel.
const SkinDesign RestSkin{
    rgb(232, 231, 234),
    grey(236),
    13,
    11,
    {{grey(247)}, {grey(160), grey(153), grey(252), rgb(244, 244, 245)}, 5},
    {{grey(246)}, {grey(150), grey(162), rgb(240, 240, 242)}, 5},
    {{}, {rgb(106, 105, 103), rgb(158, 157, 158), grey(253), rgb(246, 246, 247)}, 4},
    {{}, {grey(197), grey(168), rgb(216, 215, 219)}, 4},
};

// Blue and raised: under the pointer and with the focus.
const SkinDesign HoverSkin{
    rgb(106, 166, 226),
    rgb(226, 236, 246),
    11,
    13,
    {{rgb(232, 242, 252)}, {rgb(44, 96, 160), rgb(58, 116, 184), rgb(176, 211, 245), rgb(146, 194, 240)}, 5},
    {{rgb(230, 240, 251)}, {rgb(40, 90, 152), rgb(56, 112, 178), rgb(128, 182, 234)}, 5},
    {{}, {rgb(26, 72, 130), rgb(60, 116, 180), rgb(190, 220, 248), rgb(158, 202, 243)}, 4},
    {{}, {rgb(112, 150, 190), rgb(48, 100, 164), rgb(84, 144, 206)}, 4},
};

// Deeper blue and sunken: shade along the top and left, light along the bottom.
const SkinDesign PressedSkin{
    rgb(106, 155, 204),
    rgb(222, 232, 244),
    11,
    13,
    {{rgb(228, 238, 248)}, {rgb(30, 72, 124), rgb(46, 92, 146), rgb(76, 124, 174), rgb(92, 140, 190)}, 5},
    {{rgb(226, 236, 247)}, {rgb(34, 78, 130), rgb(56, 102, 154), rgb(124, 170, 214)}, 5},
    {{}, {rgb(18, 54, 100), rgb(42, 86, 138), rgb(72, 118, 168), rgb(88, 136, 186)}, 4},
    {{}, {rgb(104, 140, 178), rgb(44, 92, 146), rgb(136, 180, 222)}, 4},
};

} // namespace

const ButtonSkin &buttonSkin(int index)
{
    static const std::array<ButtonSkin, 3> skins{buildSkin(RestSkin), buildSkin(HoverSkin),
                                                 buildSkin(PressedSkin)};
    return skins[std::size_t(std::clamp(index, 0, 2))];
}
