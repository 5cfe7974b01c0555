#pragma once

#include <array>
#include <QtGlobal>
#include <vector>

// The pixel data of the skinned style's three skins: 0 light grey (at rest), 1 blue (hover and
// focus), 2 deeper blue (pressed and checked). The four corners are patches of single pixels; the
// edges between them are stretched from one colour per edge column and per edge row.

struct SkinPixel
{
    int dx = 0; // from the left edge (left patches) or from W (right patches)
    int dy = 0; // from the top edge (top patches) or from H (bottom patches)
    int colour = 0;
};

enum class SkinPatch
{
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
};

struct ButtonSkin
{
    static constexpr int EdgeColumns = 35; // x = 0 ... 17, then W - 17 ... W - 1
    static constexpr int EdgeRows = 24;    // y = 0 ... 11, then H - 11 ... H

    int centre = 0;
    std::array<std::vector<SkinPixel>, 4> patches;
    std::array<int, EdgeColumns> columns{};
    std::array<int, EdgeRows> rows{};

    const std::vector<SkinPixel> &patch(SkinPatch which) const { return patches[std::size_t(which)]; }
};

// Skin 0, 1 or 2 (other values give skin 0). The tables are built once and never change.
const ButtonSkin &buttonSkin(int index);
