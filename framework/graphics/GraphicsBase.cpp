#include "framework/graphics/GraphicsBase.h"

#include <atomic>

namespace {
std::atomic<int> GScreenPixelsPerInch{0};
}

int ScreenPixelsPerInch()
{
    int value = GScreenPixelsPerInch.load();
    if (value == 0) {
        HDC dc = GetDC(nullptr);
        value = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
        if (dc != nullptr) ReleaseDC(nullptr, dc);
        if (value <= 0) value = 96;
        GScreenPixelsPerInch.store(value);
    }
    return value;
}

void SetScreenPixelsPerInch(int Value)
{
    GScreenPixelsPerInch.store(Value > 0 ? Value : 0);
}
