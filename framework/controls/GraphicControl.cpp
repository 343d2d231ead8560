// The painting bases: TControlCanvas (a canvas on a control's window, taken on demand),
// TGraphicControl (painted by its parent through Paint) and TCustomControl (a window that
// paints itself through Paint).
#include <algorithm>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/graphics/DrawingGuards.h"
#include "framework/system/ScopeGuards.h"

// ---- TControlCanvas ------------------------------------------------------------------------

namespace {
// Canvases that hold a DC of their own, released at idle time or after painting.
std::vector<TControlCanvas*>& CanvasList()
{
    static std::vector<TControlCanvas*> list;
    return list;
}
} // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* AControl)
{
    if (FControl == AControl) return;
    FreeHandle();
    FControl = AControl;
}

void TControlCanvas::CreateHandle()
{
    if (FControl == nullptr) return;
    if (FDeviceContext == nullptr) {
        FDeviceContext = FControl->GetDeviceContext(FWindowHandle);
        CanvasList().push_back(this);
    }
    SetHandle(FDeviceContext);
    UpdateTextFlags();
}

void TControlCanvas::FreeHandle()
{
    if (FDeviceContext == nullptr) {
        if (HandleAllocated()) SetHandle(nullptr);
        return;
    }
    SetHandle(nullptr);
    ReleaseDC(FWindowHandle, FDeviceContext);
    FDeviceContext = nullptr;
    FWindowHandle = nullptr;
    auto& list = CanvasList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::UpdateTextFlags()
{
    if (FControl == nullptr) return;
    int flags = TextFlags() & ~(ETO_RTLREADING);
    if (FControl->UseRightToLeftReading()) flags |= ETO_RTLREADING;
    SetTextFlags(flags);
}

void TControlCanvas::PaintOn(HDC DC, const std::function<void()>& Paint)
{
    Lock();
    TScopeExit locked([this] { Unlock(); });
    FreeHandle();
    // The DC is only lent: the canvas lets go of it before the lock is released.
    TCanvasHandleGuard<TControlCanvas> lent(*this, DC);
    Paint();
}

void FreeDeviceContexts()
{
    std::vector<TControlCanvas*> list = CanvasList();
    for (TControlCanvas* canvas : list)
        if (canvas->LockCount() == 0) canvas->FreeHandle();
}

// ---- TGraphicControl -----------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() { FCanvas->SetControl(nullptr); }

void TGraphicControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_PAINT)
        WMPaint(Message);
    else
        TControl::Dispatch(Message);
}

void TGraphicControl::WMPaint(TMessage& Message)
{
    if (Message.WParam == 0 || ComponentState().Contains(csDestroying)) return;
    FCanvas->PaintOn(reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
}

// ---- TCustomControl ------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl()
{
    // The window still exists; painting from here on must not reach the canvas.
    FCanvas->SetControl(nullptr);
}

void TCustomControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_PAINT)
        WMPaint(Message);
    else
        TWinControl::Dispatch(Message);
}

void TCustomControl::WMPaint(TMessage& Message)
{
    CustomPaintHandler(Message);
}

void TCustomControl::PaintWindow(HDC DC)
{
    FCanvas->PaintOn(DC, [this] {
        FCanvas->UpdateTextFlags();
        Paint();
    });
}
