// Small glyphs and pictures of the grid pack: combo and spin buttons (visual styles or frame
// controls), the drop-down triangle, bitmaps with a transparent colour, the red error underline,
// and user32's layered-window functions looked up at each call.
#include <windows.h>

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <vector>

#include "framework/system/Exceptions.h"
#include "grid/foundation/AdvUtil.h"
#include "grid/foundation/AdvUtilDraw.h"

using namespace advutil;

namespace {

// uxtheme is optional: each use looks its functions up, and a missing one means "not themed".
class TThemePart {
public:
    TThemePart(HWND Window, const wchar_t* ClassName)
    {
        FModule = LoadLibraryW(L"uxtheme.dll");
        if (FModule == nullptr) return;
        FOpen = reinterpret_cast<decltype(FOpen)>(reinterpret_cast<void*>(GetProcAddress(FModule, "OpenThemeData")));
        FDraw = reinterpret_cast<decltype(FDraw)>(
            reinterpret_cast<void*>(GetProcAddress(FModule, "DrawThemeBackground")));
        FClose =
            reinterpret_cast<decltype(FClose)>(reinterpret_cast<void*>(GetProcAddress(FModule, "CloseThemeData")));
        if (FOpen != nullptr && FDraw != nullptr && FClose != nullptr) FTheme = FOpen(Window, ClassName);
    }
    ~TThemePart()
    {
        if (FTheme != nullptr) FClose(FTheme);
        if (FModule != nullptr) FreeLibrary(FModule);
    }
    TThemePart(const TThemePart&) = delete;
    TThemePart& operator=(const TThemePart&) = delete;

    bool Valid() const { return FTheme != nullptr; }
    void Draw(HDC DC, int Part, int State, const RECT& R) { FDraw(FTheme, DC, Part, State, &R, nullptr); }

private:
    HMODULE FModule = nullptr;
    HTHEME FTheme = nullptr;
    HTHEME(WINAPI* FOpen)(HWND, LPCWSTR) = nullptr;
    HRESULT(WINAPI* FDraw)(HTHEME, HDC, int, int, const RECT*, const RECT*) = nullptr;
    HRESULT(WINAPI* FClose)(HTHEME) = nullptr;
};

bool Drawable(const TRect& R)
{
    return !IsEmptyRect(R) && InCoordRange(R.left) && InCoordRange(R.right) && InCoordRange(R.top) &&
           InCoordRange(R.bottom);
}

} // namespace

bool PaintThemedPart(TCanvas* Canvas, HWND Window, const wchar_t* ClassName, int Part, int State, const TRect& Rect)
{
    if (Canvas == nullptr || !Drawable(Rect)) return false;
    TThemePart theme(Window, ClassName);
    if (!theme.Valid()) return false;
    RECT r = Rect;
    theme.Draw(Canvas->Handle(), Part, State, r);
    return true;
}

void PaintComboButton(TCanvas* Canvas, HWND Window, TRect Rect, bool Enabled, bool Themed)
{
    const TRect button{Rect.right - 17 - 2, Rect.top + 1, Rect.right - 2, Rect.bottom - 1};
    if (IsEmptyRect(Rect) || !Drawable(button)) return;
    const HDC dc = Canvas->Handle();
    if (Themed) {
        TThemePart theme(Window, L"combobox");
        if (theme.Valid()) {
            theme.Draw(dc, CP_DROPDOWNBUTTON, Enabled ? CBXS_NORMAL : CBXS_DISABLED, button);
            return;
        }
    }
    RECT r = button;
    DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT | (Enabled ? 0 : DFCS_INACTIVE));
}

void PaintSpinButtons(TCanvas* Canvas, HWND Window, TRect Rect, bool Enabled, bool Themed)
{
    const TRect buttons{Rect.right - 15 - 1, Rect.top - 1, Rect.right - 1, Rect.bottom - 1};
    if (IsEmptyRect(Rect) || !Drawable(buttons)) return;
    const int middle = buttons.top + (buttons.bottom - buttons.top) / 2;
    const HDC dc = Canvas->Handle();
    if (Themed) {
        TThemePart theme(Window, L"spin");
        if (theme.Valid()) {
            theme.Draw(dc, SPNP_UP, Enabled ? UPS_NORMAL : UPS_DISABLED, TRect{buttons.left, buttons.top, buttons.right, middle});
            theme.Draw(dc, SPNP_DOWN, Enabled ? DNS_NORMAL : DNS_DISABLED,
                       TRect{buttons.left, middle, buttons.right, buttons.bottom});
            return;
        }
    }
    const UINT state = DFCS_FLAT | (Enabled ? 0 : DFCS_INACTIVE);
    RECT up{buttons.left, buttons.top, buttons.right, middle};
    RECT down{buttons.left, middle + 1, buttons.right, buttons.bottom};
    if (up.bottom > up.top) DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | state);
    if (down.bottom > down.top) DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | state);
}

void PaintDownTriangle(TCanvas* Canvas, int X, int Y, TColor Color)
{
    if (!InCoordRange(X) || !InCoordRange(Y)) return;
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->Polygon({TPoint{X - 3, Y}, TPoint{X + 3, Y}, TPoint{X, Y + 3}});
}

void PaintBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, TRect Rect)
{
    if (Bitmap == nullptr || Bitmap->Empty() || !Drawable(Rect)) return;
    const int w = std::min<int>(Bitmap->Width(), Rect.right - Rect.left);
    const int h = std::min<int>(Bitmap->Height(), Rect.bottom - Rect.top);
    const TColor key = Bitmap->Canvas()->Pixels(0, 0);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(BackgroundColor);
    Canvas->BrushCopy(TRect{Rect.left, Rect.top, Rect.left + w, Rect.top + h}, Bitmap, TRect{0, 0, w, h}, key);
}

void PaintResourceBitmap(TCanvas* Canvas, TColor BackgroundColor, TRect Rect, const String& ResName)
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    if (ResName.empty() || FindResourceW(module, ResName.c_str(), MAKEINTRESOURCEW(2)) == nullptr) return;
    TBitmap bitmap;
    try {
        bitmap.LoadFromResourceName(module, ResName);
    } catch (const Exception&) {
        return;
    }
    PaintBitmapTransparent(Canvas, &bitmap, BackgroundColor, Rect);
}

void PaintErrorUnderline(HWND Owner, TCanvas* Canvas, const String& Text, int Length, int Start, int Offset,
                         TRect Rect)
{
    if (Length <= 0 || Start < 1 || Text.empty() || !Drawable(Rect)) return;
    // A hidden edit control lays the text out as the cell editor would.
    HWND edit = CreateWindowExW(0, L"EDIT", L"", Owner != nullptr ? WS_CHILD : WS_POPUP, Rect.left, Rect.top,
                                Rect.right - Rect.left, Rect.bottom - Rect.top, Owner, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (edit == nullptr) return;
    SendMessageW(edit, EM_LIMITTEXT, 0, 0);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(Canvas->Font()->Handle()), 0);
    SetWindowTextW(edit, Text.c_str());
    const int count = static_cast<int>(GetWindowTextLengthW(edit));
    // Past the end the edit answers -1: the end of the text is the position after its last character.
    auto position = [&](int Index) {
        if (Index >= count) {
            if (count == 0) return POINT{0, 0};
            LRESULT r = SendMessageW(edit, EM_POSFROMCHAR, static_cast<WPARAM>(count - 1), 0);
            POINT p{static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r))};
            const String last(1, Text[static_cast<size_t>(count - 1)]);
            p.x += Canvas->TextWidth(last);
            return p;
        }
        LRESULT r = SendMessageW(edit, EM_POSFROMCHAR, static_cast<WPARAM>(Index), 0);
        return POINT{static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r))};
    };
    const long long lastIndex = static_cast<long long>(Start) - 1 + Length;
    const POINT first = position(Start - 1);
    const POINT end = position(static_cast<int>(std::min<long long>(lastIndex, count)));
    DestroyWindow(edit);

    const int x1 = first.x + Rect.left, x2 = end.x + Rect.left + 3;
    const int base = Rect.top + first.y + Offset + 3;
    if (x2 <= x1) return;
    std::vector<TPoint> zigzag;
    for (int x = x1, k = 0; x <= x2; x += 3, ++k) zigzag.push_back(TPoint{x, base + (k % 2 == 0 ? 0 : 3)});
    if (zigzag.size() < 2) return;
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetWidth(2);
    Canvas->Polyline(std::span<const TPoint>(zigzag));
    Canvas->Pen()->SetWidth(1);
}

void FillRectColor(TCanvas* Canvas, TRect Rect, TColor Color)
{
    if (Color == clNone || IsEmptyRect(Rect)) return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(Rect);
}

bool DynamicUpdateLayeredWindow(HWND Window, HDC DestDC, POINT* DestPoint, SIZE* Size, HDC SourceDC,
                                POINT* SourcePoint, COLORREF Key, BLENDFUNCTION* Blend, DWORD Flags)
{
    using TUpdate = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto update = user32 == nullptr ? nullptr
                                    : reinterpret_cast<TUpdate>(
                                          reinterpret_cast<void*>(GetProcAddress(user32, "UpdateLayeredWindow")));
    if (update == nullptr) return true;
    return update(Window, DestDC, DestPoint, Size, SourceDC, SourcePoint, Key, Blend, Flags) != FALSE;
}

bool DynamicSetLayeredWindowAttributes(HWND Window, COLORREF Key, BYTE Alpha, DWORD Flags)
{
    using TSetAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto set = user32 == nullptr ? nullptr
                                 : reinterpret_cast<TSetAttributes>(
                                       reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
    if (set == nullptr) return true;
    return set(Window, Key, Alpha, Flags) != FALSE;
}
