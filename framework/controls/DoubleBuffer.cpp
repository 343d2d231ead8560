// The memory DC for off-screen painting.
#include "framework/controls/DoubleBuffer.h"

#include <algorithm>

#include "framework/system/Exceptions.h"

TMemoryDC::TMemoryDC(int Width, int Height, HDC Reference) : FWidth(std::max(Width, 1)), FHeight(std::max(Height, 1))
{
    HDC screen = Reference != nullptr ? Reference : GetDC(nullptr);
    FBitmap = CreateCompatibleBitmap(screen, FWidth, FHeight);
    FDC = CreateCompatibleDC(screen);
    if (Reference == nullptr) ReleaseDC(nullptr, screen);
    if (FBitmap == nullptr || FDC == nullptr) {
        if (FBitmap != nullptr) DeleteObject(FBitmap);
        if (FDC != nullptr) DeleteDC(FDC);
        throw EOutOfResources(L"Out of system resources");
    }
    FOldBitmap = SelectObject(FDC, FBitmap);
}

TMemoryDC::~TMemoryDC()
{
    SelectObject(FDC, FOldBitmap);
    DeleteDC(FDC);
    DeleteObject(FBitmap);
}

void TMemoryDC::CopyTo(HDC Dest, int X, int Y) const { BitBlt(Dest, X, Y, FWidth, FHeight, FDC, 0, 0, SRCCOPY); }
