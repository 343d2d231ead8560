#pragma once
// Unit sConst: values the whole skin engine shares. For now the background record through which
// a skinned child finds what lies under it in its parent.
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"

// Where a child's background comes from: pixel (x + X, y + Y) of Bmp when Ready, else the plain
// colour FillColor ($FF00FF = none).
struct TCacheInfo {
    TBitmap* Bmp = nullptr;
    int X = -99;
    int Y = -99;
    TColor FillColor = 0xFF00FF;
    bool Ready = false;
};

// No background known yet.
inline const TCacheInfo EmptyCI{};
