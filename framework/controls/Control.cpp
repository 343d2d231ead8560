// TControl: bounds, parent, the appearance properties and their CM_ notifications, mouse
// handling, and the helpers every control shares (shift states, accelerators).
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>

#include "framework/controls/ActionList.h"
#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"
#include "framework/controls/MouseTracking.h"
#include "framework/facts/SystemFacts.h"
#include "framework/graphics/DrawingGuards.h"

// ---- Menu hooks ----------------------------------------------------------------------------

std::function<bool(TPopupMenu*, TControl*, TPoint)> PopupMenuHandler;
std::function<bool(TPopupMenu*, TMessage&)> PopupMenuShortCutHandler;

// ---- Helpers -------------------------------------------------------------------------------

TAnchors AnchorAlign(TAlign Align)
{
    switch (Align) {
    case alTop: return {akLeft, akTop, akRight};
    case alBottom: return {akLeft, akRight, akBottom};
    case alLeft: return {akLeft, akTop, akBottom};
    case alRight: return {akRight, akTop, akBottom};
    case alClient: return {akLeft, akTop, akRight, akBottom};
    default: return {akLeft, akTop};
    }
}

TShiftState KeysToShiftState(WORD Keys)
{
    TShiftState s;
    if (Keys & MK_SHIFT) s.Include(ssShift);
    if (Keys & MK_CONTROL) s.Include(ssCtrl);
    if (Keys & MK_LBUTTON) s.Include(ssLeft);
    if (Keys & MK_RBUTTON) s.Include(ssRight);
    if (Keys & MK_MBUTTON) s.Include(ssMiddle);
    if (SystemFacts().KeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData)
{
    TShiftState s;
    if (SystemFacts().KeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (SystemFacts().KeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (KeyData & AltMask) s.Include(ssAlt);
    return s;
}

TShiftState KeyboardStateToShiftState()
{
    TSystemFacts& facts = SystemFacts();
    TShiftState s;
    if (facts.KeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (facts.KeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (facts.KeyState(VK_MENU) < 0) s.Include(ssAlt);
    if (facts.KeyState(VK_LBUTTON) < 0) s.Include(ssLeft);
    if (facts.KeyState(VK_RBUTTON) < 0) s.Include(ssRight);
    if (facts.KeyState(VK_MBUTTON) < 0) s.Include(ssMiddle);
    return s;
}

TShortCut ShortCut(WORD Key, TShiftState Shift)
{
    if (HIBYTE(Key) != 0) return scNone;
    TShortCut result = Key;
    if (Shift.Contains(ssShift)) result |= scShift;
    if (Shift.Contains(ssCtrl)) result |= scCtrl;
    if (Shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift)
{
    Key = ShortCut & static_cast<WORD>(~(scShift | scCtrl | scAlt));
    Shift = TShiftState();
    if (ShortCut & scShift) Shift.Include(ssShift);
    if (ShortCut & scCtrl) Shift.Include(ssCtrl);
    if (ShortCut & scAlt) Shift.Include(ssAlt);
}

bool IsAccel(WORD VK, const String& Str)
{
    for (size_t i = 0; i + 1 < Str.size(); ++i) {
        if (Str[i] != L'&') continue;
        if (Str[i + 1] == L'&') {
            ++i;
            continue;
        }
        return std::towupper(Str[i + 1]) == std::towupper(static_cast<wchar_t>(VK));
    }
    return false;
}

String GetShortHint(const String& Hint)
{
    size_t bar = Hint.find(L'|');
    return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint)
{
    size_t bar = Hint.find(L'|');
    return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

// ---- TSizeConstraints ----------------------------------------------------------------------

void TSizeConstraints::Assign(TPersistent* Source)
{
    if (auto* s = dynamic_cast<TSizeConstraints*>(Source)) {
        FMaxHeight = s->FMaxHeight;
        FMaxWidth = s->FMaxWidth;
        FMinHeight = s->FMinHeight;
        FMinWidth = s->FMinWidth;
        Change();
    } else {
        TPersistent::Assign(Source);
    }
}

TPersistent* TSizeConstraints::GetOwner() { return FControl; }

void TSizeConstraints::SetMaxHeight(int Value)
{
    if (Value == FMaxHeight) return;
    FMaxHeight = Value;
    if (Value > 0 && Value < FMinHeight) FMinHeight = Value;
    Change();
}

void TSizeConstraints::SetMaxWidth(int Value)
{
    if (Value == FMaxWidth) return;
    FMaxWidth = Value;
    if (Value > 0 && Value < FMinWidth) FMinWidth = Value;
    Change();
}

void TSizeConstraints::SetMinHeight(int Value)
{
    if (Value == FMinHeight) return;
    FMinHeight = Value;
    if (FMaxHeight > 0 && Value > FMaxHeight) FMaxHeight = Value;
    Change();
}

void TSizeConstraints::SetMinWidth(int Value)
{
    if (Value == FMinWidth) return;
    FMinWidth = Value;
    if (FMaxWidth > 0 && Value > FMaxWidth) FMaxWidth = Value;
    Change();
}

void TSizeConstraints::Change()
{
    if (OnChange) OnChange(this);
}

// ---- TControl: construction ----------------------------------------------------------------

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FConstraints(std::make_unique<TSizeConstraints>(this)), FFont(std::make_unique<TFont>())
{
    WindowProc = [this](TMessage& Message) { WndProc(Message); };
    FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    FConstraints->OnChange = [this](TObject*) { ConstraintsChanged(); };
}

TControl::~TControl()
{
    FActionLink.reset();
    if (Application != nullptr) Application->ControlDestroyed(this);
    MouseTrackingForget(this);
    if (FParent != nullptr) FParent->RemoveControl(this);
    FFont->OnChange = nullptr;
    FConstraints->OnChange = nullptr;
}

// ---- Messages ------------------------------------------------------------------------------

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message)
{
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        if (!FControlStyle.Contains(csDoubleClicks)) {
            switch (Message.Msg) {
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDBLCLK:
                Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
                break;
            }
        }
        switch (Message.Msg) {
        case WM_MOUSEMOVE:
            MouseTrackingMove(this);
            if (Application != nullptr) Application->HintMouseMessage(this, Message);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            FControlState.Include(csLButtonDown);
            break;
        case WM_LBUTTONUP:
            FControlState.Exclude(csLButtonDown);
            break;
        }
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); break;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); break;
    case WM_MBUTTONDOWN: WMMButtonDown(Message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); break;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); break;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(Message); break;
    case WM_LBUTTONUP: WMLButtonUp(Message); break;
    case WM_RBUTTONUP: WMRButtonUp(Message); break;
    case WM_MBUTTONUP: WMMButtonUp(Message); break;
    case WM_MOUSEMOVE: WMMouseMove(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_CANCELMODE: WMCancelMode(Message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_COLORCHANGED: CMColorChanged(Message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); break;
    case CM_PARENTBIDIMODECHANGED: CMParentBiDiModeChanged(Message); break;
    case CM_PARENTCTL3DCHANGED: CMParentCtl3DChanged(Message); break;
    case CM_HITTEST: CMHitTest(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_MOUSEWHEEL: CMMouseWheel(Message); break;
    case CM_HINTSHOW: CMHintShow(Message); break;
    case CM_SYSCOLORCHANGE: CMSysColorChange(Message); break;
    case CM_SYSFONTCHANGED: CMSysFontChanged(Message); break;
    default: DefaultHandler(Message); break;
    }
}

void TControl::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<wchar_t*>(Message.LParam);
        size_t size = static_cast<size_t>(Message.WParam);
        if (buffer == nullptr || size == 0) {
            Message.Result = 0;
            break;
        }
        size_t n = std::min(FText.size(), size - 1);
        FText.copy(buffer, n);
        buffer[n] = L'\0';
        Message.Result = static_cast<LRESULT>(n);
        break;
    }
    case WM_GETTEXTLENGTH:
        Message.Result = static_cast<LRESULT>(FText.size());
        break;
    case WM_SETTEXT: {
        auto* text = reinterpret_cast<const wchar_t*>(Message.LParam);
        FText = text != nullptr ? String(text) : String();
        Message.Result = 1;
        break;
    }
    }
}

// ---- Parent and bounds ---------------------------------------------------------------------

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent) return;
    if (static_cast<TControl*>(AParent) == this) throw EInvalidOperation(L"A control cannot have itself as its parent");
    if (FParent != nullptr) FParent->RemoveControl(this);
    if (AParent != nullptr) {
        AParent->InsertControl(this);
        UpdateAnchorRules();
    }
}

void TControl::SetParentComponent(TComponent* Value)
{
    if (auto* w = dynamic_cast<TWinControl*>(Value)) SetParent(w);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

bool TControl::CanResize(int& NewWidth, int& NewHeight)
{
    bool resize = true;
    if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, resize);
    return resize;
}

bool TControl::CheckNewSize(int& NewWidth, int& NewHeight)
{
    int w = NewWidth, h = NewHeight;
    if (!CanResize(w, h)) return false;
    const TSizeConstraints& c = *FConstraints;
    if (c.MinWidth() > 0 && w < c.MinWidth()) w = c.MinWidth();
    if (c.MaxWidth() > 0 && w > c.MaxWidth()) w = c.MaxWidth();
    if (c.MinHeight() > 0 && h < c.MinHeight()) h = c.MinHeight();
    if (c.MaxHeight() > 0 && h > c.MaxHeight()) h = c.MaxHeight();
    NewWidth = w;
    NewHeight = h;
    return true;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!CheckNewSize(AWidth, AHeight)) return;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    InvalidateControl(FVisible, false);
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    UpdateAnchorRules();
    Invalidate();
    Perform(WM_WINDOWPOSCHANGED, 0, 0);
    RequestAlign();
    if (!ComponentState().Contains(csLoading)) Resize();
}

void TControl::UpdateBoundsRect(const TRect& R)
{
    FLeft = R.left;
    FTop = R.top;
    FWidth = R.right - R.left;
    FHeight = R.bottom - R.top;
    UpdateAnchorRules();
}

TRect TControl::ClientRect() { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int Value) { SetClientSize(Value, ClientHeight()); }
void TControl::SetClientHeight(int Value) { SetClientSize(ClientWidth(), Value); }

void TControl::SetClientSize(int AWidth, int AHeight)
{
    TRect client = ClientRect();
    SetBounds(FLeft, FTop, FWidth - client.right + AWidth, FHeight - client.bottom + AHeight);
}

TPoint TControl::ClientOrigin()
{
    if (FParent == nullptr) throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
    TPoint p = FParent->ClientOrigin();
    p.x += FLeft;
    p.y += FTop;
    return p;
}

TPoint TControl::ClientToScreen(const TPoint& Point)
{
    TPoint origin = ClientOrigin();
    return TPoint{Point.x + origin.x, Point.y + origin.y};
}

TPoint TControl::ScreenToClient(const TPoint& Point)
{
    TPoint origin = ClientOrigin();
    return TPoint{Point.x - origin.x, Point.y - origin.y};
}

TPoint TControl::ClientToParent(const TPoint& Point, TWinControl* AParent)
{
    if (AParent == nullptr) AParent = FParent;
    if (AParent == nullptr) throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
    TPoint result = Point;
    TControl* control = this;
    while (control != AParent) {
        if (control->FParent == nullptr) throw EInvalidOperation(L"'" + AParent->Name() + L"' is not a parent of '" + Name() + L"'");
        result.x += control->FLeft;
        result.y += control->FTop;
        control = control->FParent;
    }
    return result;
}

TPoint TControl::ParentToClient(const TPoint& Point, TWinControl* AParent)
{
    TPoint offset = ClientToParent(TPoint{0, 0}, AParent);
    return TPoint{Point.x - offset.x, Point.y - offset.y};
}

void TControl::SetAlign(TAlign Value)
{
    if (FAlign != Value) {
        TAlign old = FAlign;
        FAlign = Value;
        SetAnchors(AnchorAlign(Value));
        auto vertical = [](TAlign a) { return a == alTop || a == alBottom; };
        auto horizontal = [](TAlign a) { return a == alLeft || a == alRight; };
        if (!ComponentState().Contains(csLoading) && vertical(old) == horizontal(Value) && old != alNone &&
            old != alClient && Value != alNone && Value != alClient)
            SetBounds(FLeft, FTop, FHeight, FWidth);
    }
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value)
{
    if (FAnchors == Value) return;
    FAnchors = Value;
    if (!ComponentState().Contains(csLoading)) UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    if (FAnchorMove || ComponentState().Contains(csLoading)) return;
    if (FAnchors == TAnchors{akLeft, akTop}) {
        FOriginalParentSize = TPoint{0, 0};
        return;
    }
    if (FAnchors.Contains(akRight))
        FAnchorRules.x = FAnchors.Contains(akLeft) ? FWidth : FLeft;
    else
        FAnchorRules.x = FLeft + FWidth / 2;
    if (FAnchors.Contains(akBottom))
        FAnchorRules.y = FAnchors.Contains(akTop) ? FHeight : FTop;
    else
        FAnchorRules.y = FTop + FHeight / 2;
    if (FParent != nullptr) {
        if (FParent->HandleAllocated()) {
            TRect r = FParent->ClientRect();
            FOriginalParentSize = TPoint{r.right, r.bottom};
        } else {
            FOriginalParentSize = TPoint{FParent->FWidth, FParent->FHeight};
        }
    }
}

void TControl::RequestAlign()
{
    if (FParent != nullptr) FParent->AlignControl(this);
}

void TControl::Resize()
{
    if (OnResize) OnResize(this);
}

void TControl::ConstraintsChanged()
{
    if (!ComponentState().Contains(csLoading)) SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::ScaleBy(int M, int D) { ChangeScale(M, D); }

void TControl::ChangeScale(int M, int D)
{
    if (M == D) return;
    int x = MulDiv(FLeft, M, D);
    int y = MulDiv(FTop, M, D);
    int w = MulDiv(FLeft + FWidth, M, D) - x;
    int h = MulDiv(FTop + FHeight, M, D) - y;
    SetBounds(x, y, w, h);
    if (!FParentFont) FFont->SetHeight(MulDiv(FFont->Height(), M, D));
}

// ---- Appearance and state ------------------------------------------------------------------

void TControl::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    VisibleChanging();
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
    RequestAlign();
}

void TControl::Show()
{
    if (FParent != nullptr) FParent->ShowControl(this);
    SetVisible(true);
}

void TControl::Hide() { SetVisible(false); }

void TControl::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value)
{
    if (FParentColor == Value) return;
    FParentColor = Value;
    if (FParent != nullptr && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetFont(TFont* Value) { FFont->Assign(Value); }

void TControl::FontChanged(TObject*)
{
    FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool Value)
{
    if (FParentFont == Value) return;
    FParentFont = Value;
    if (FParent != nullptr && !ComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetCtl3D(bool Value)
{
    if (FCtl3D == Value) return;
    FCtl3D = Value;
    FParentCtl3D = false;
    Perform(CM_CTL3DCHANGED);
}

void TControl::SetParentCtl3D(bool Value)
{
    if (FParentCtl3D == Value) return;
    FParentCtl3D = Value;
    if (FParent != nullptr && !ComponentState().Contains(csReading)) Perform(CM_PARENTCTL3DCHANGED);
}

void TControl::SetCursor(TCursor Value)
{
    if (FCursor == Value) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool Value)
{
    if (FShowHint == Value) return;
    FShowHint = Value;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value)
{
    if (FParentShowHint == Value) return;
    FParentShowHint = Value;
    if (FParent != nullptr && !ComponentState().Contains(csDestroying)) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetPopupMenuLink(TPopupMenu* Menu, TComponent* AsComponent)
{
    if (FPopupMenuComponent != nullptr && FPopupMenuComponent != AsComponent) RemoveFreeNotification(FPopupMenuComponent);
    FPopupMenu = Menu;
    FPopupMenuComponent = AsComponent;
    if (AsComponent != nullptr) FreeNotification(AsComponent);
}

void TControl::SetBiDiMode(TBiDiMode Value)
{
    if (FBiDiMode == Value) return;
    FBiDiMode = Value;
    FParentBiDiMode = false;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool Value)
{
    if (FParentBiDiMode == Value) return;
    FParentBiDiMode = Value;
    if (FParent != nullptr && !ComponentState().Contains(csReading)) Perform(CM_PARENTBIDIMODECHANGED);
}

bool TControl::UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
bool TControl::UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
bool TControl::UseRightToLeftScrollBar() const { return FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign; }

int TControl::GetTextLen() { return static_cast<int>(Perform(WM_GETTEXTLENGTH)); }

int TControl::GetTextBuf(wchar_t* Buffer, int BufSize)
{
    return static_cast<int>(Perform(WM_GETTEXT, static_cast<WPARAM>(BufSize), reinterpret_cast<LPARAM>(Buffer)));
}

void TControl::SetTextBuf(const wchar_t* Buffer)
{
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Buffer));
    Perform(CM_TEXTCHANGED);
}

String TControl::Text()
{
    int len = GetTextLen();
    String buffer(static_cast<size_t>(len) + 1, L'\0');
    int n = GetTextBuf(buffer.data(), len + 1);
    buffer.resize(static_cast<size_t>(std::max(0, std::min(n, len))));
    return buffer;
}

void TControl::SetText(const String& Value)
{
    if (Text() != Value) SetTextBuf(Value.c_str());
}

void TControl::SetName(const String& NewName)
{
    bool changeText = FControlStyle.Contains(csSetCaption) && !ComponentState().Contains(csLoading) && Name() == Text();
    if (changeText && Owner() != nullptr) {
        if (auto* owner = dynamic_cast<TControl*>(Owner()); owner != nullptr && owner->ComponentState().Contains(csLoading))
            changeText = false;
    }
    TComponent::SetName(NewName);
    if (changeText) SetText(NewName);
}

void TControl::SetMouseCapture(bool Value)
{
    if (MouseCapture() == Value) return;
    SetCaptureControl(Value ? this : nullptr);
}

// ---- Painting ------------------------------------------------------------------------------

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque)
{
    if (!IsVisible || FParent == nullptr || !FParent->HandleAllocated()) return;
    TRect r = BoundsRect();
    InvalidateRect(FParent->Handle(), &r, !(IsOpaque || FParent->FControlStyle.Contains(csOpaque)));
}

void TControl::Invalidate() { InvalidateControl(FVisible, FControlStyle.Contains(csOpaque)); }

void TControl::Repaint()
{
    if (!FVisible || FParent == nullptr || !FParent->HandleAllocated()) return;
    if (FControlStyle.Contains(csOpaque)) {
        TWindowDCGuard dc(FParent->Handle());
        IntersectClipRect(dc.DC(), FLeft, FTop, FLeft + FWidth, FTop + FHeight);
        FParent->PaintControls(dc.DC(), this);
    } else {
        Invalidate();
        Update();
    }
}

void TControl::Update()
{
    if (FParent != nullptr) FParent->Update();
}

HDC TControl::GetDeviceContext(HWND& WindowHandle)
{
    if (FParent == nullptr) throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
    HDC dc = FParent->GetDeviceContext(WindowHandle);
    SetViewportOrgEx(dc, FLeft, FTop, nullptr);
    IntersectClipRect(dc, 0, 0, FWidth, FHeight);
    return dc;
}

// ---- Z order and actions -------------------------------------------------------------------

void TControl::SetZOrder(bool TopMost)
{
    if (FParent == nullptr) return;
    auto& list = FParent->FControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    size_t from = static_cast<size_t>(it - list.begin());
    size_t to = TopMost ? list.size() - 1 : 0;
    if (from == to) return;
    list.erase(it);
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(to), this);
    InvalidateControl(FVisible, true);
    FParent->Realign();
}

void TControl::Click()
{
    if (FActionLink != nullptr && FActionLink->IsOnExecuteLinked() && !ComponentState().Contains(csDesigning))
        FActionLink->Execute(this);
    else if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

// ---- Mouse ---------------------------------------------------------------------------------

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift)
{
    if (!FControlStyle.Contains(csNoStdEvents))
        MouseDown(Button, KeysToShiftState(static_cast<WORD>(Message.WParam)) + Shift, Message.XPos(), Message.YPos());
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button)
{
    if (!FControlStyle.Contains(csNoStdEvents))
        MouseUp(Button, KeysToShiftState(static_cast<WORD>(Message.WParam)), Message.XPos(), Message.YPos());
}

void TControl::SendCancelMode(TControl* Sender)
{
    for (TControl* c = this; c != nullptr; c = c->FParent)
        if (auto* form = dynamic_cast<TCustomForm*>(c)) form->SendCancelMode(Sender);
}

void TControl::WMLButtonDown(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(Message);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
    DoMouseDown(Message, mbLeft, {});
}

void TControl::WMRButtonDown(TMessage& Message)
{
    DefaultHandler(Message);
    DoMouseDown(Message, mbRight, {});
}

void TControl::WMMButtonDown(TMessage& Message)
{
    DefaultHandler(Message);
    DoMouseDown(Message, mbMiddle, {});
}

void TControl::WMLButtonDblClk(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(Message);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) DblClick();
    DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMRButtonDblClk(TMessage& Message)
{
    DefaultHandler(Message);
    DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMMButtonDblClk(TMessage& Message)
{
    DefaultHandler(Message);
    DoMouseDown(Message, mbMiddle, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& Message)
{
    DefaultHandler(Message);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    if (FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        TRect client = ClientRect();
        POINT p{Message.XPos(), Message.YPos()};
        if (PtInRect(&client, p)) Click();
    }
    DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonUp(TMessage& Message)
{
    DefaultHandler(Message);
    DoMouseUp(Message, mbRight);
}

void TControl::WMMButtonUp(TMessage& Message)
{
    DefaultHandler(Message);
    DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TMessage& Message)
{
    DefaultHandler(Message);
    if (!FControlStyle.Contains(csNoStdEvents))
        MouseMove(KeysToShiftState(static_cast<WORD>(Message.WParam)), Message.XPos(), Message.YPos());
}

void TControl::WMMouseWheel(TMessage& Message)
{
    // CM_MOUSEWHEEL carries the shift state in the low word instead of the key flags.
    WPARAM original = Message.WParam;
    TShiftState shift = KeysToShiftState(LOWORD(original));
    Message.WParam = MAKEWPARAM(static_cast<WORD>(shift.Bits()), HIWORD(original));
    Message.Result = 0;
    MouseWheelHandler(Message);
    Message.WParam = original;
    if (Message.Result != 0) return;
    // The parents were asked already (CM_MOUSEWHEEL climbs them): a window of our own class
    // must not hand the wheel to DefWindowProc, which would pass it to the parent window again.
    // System classes still scroll themselves.
    auto* windowed = dynamic_cast<TWinControl*>(this);
    if (windowed != nullptr && windowed->Parent() != nullptr && windowed->DefWndProc() == DefWindowProcW) return;
    DefaultHandler(Message);
}

void TControl::MouseWheelHandler(TMessage& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && static_cast<TControl*>(form) != this)
        form->MouseWheelHandler(Message);
    else
        Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TControl::CMMouseWheel(TMessage& Message)
{
    TShiftState shift = TShiftState::FromBits(LOWORD(Message.WParam));
    int delta = static_cast<short>(HIWORD(Message.WParam));
    TPoint pos{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    Message.Result = 0;
    if (DoMouseWheel(shift, delta, pos))
        Message.Result = 1;
    else if (FParent != nullptr)
        Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled) return true;
    FWheelAccumulator += WheelDelta;
    while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
        bool negative = FWheelAccumulator < 0;
        FWheelAccumulator = std::abs(FWheelAccumulator) - WHEEL_DELTA;
        if (negative) {
            if (FWheelAccumulator != 0) FWheelAccumulator = -FWheelAccumulator;
            handled = DoMouseWheelDown(Shift, MousePos);
        } else {
            handled = DoMouseWheelUp(Shift, MousePos);
        }
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::WMCancelMode(TMessage& Message)
{
    DefaultHandler(Message);
    if (MouseCapture()) {
        SetMouseCapture(false);
        if (FControlState.Contains(csLButtonDown)) Perform(WM_LBUTTONUP, 0, PointToLParam(-1, -1));
    } else {
        FControlState.Exclude(csLButtonDown);
    }
}

void TControl::WMWindowPosChanged(TMessage& Message) { DefaultHandler(Message); }

void TControl::DoContextPopup(TPoint MousePos, bool& Handled)
{
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::WMContextMenu(TMessage& Message)
{
    if (Message.Result != 0) return;
    TPoint screen{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    bool keyboard = screen.x == -1 && screen.y == -1;
    TPoint local = keyboard ? TPoint{-1, -1} : ScreenToClient(screen);
    bool handled = false;
    DoContextPopup(local, handled);
    Message.Result = handled ? 1 : 0;
    if (handled) return;
    if (FPopupMenu != nullptr && PopupMenuHandler) {
        SendCancelMode(nullptr);
        if (keyboard) screen = ClientToScreen(TPoint{0, 0});
        if (PopupMenuHandler(FPopupMenu, this, screen)) Message.Result = 1;
    }
    if (Message.Result == 0) DefaultHandler(Message);
}

// ---- Notifications -------------------------------------------------------------------------

void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque)); }
void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage& Message)
{
    if (!FParentFont) return;
    if (Message.WParam != 0)
        SetFont(reinterpret_cast<TFont*>(Message.LParam));
    else if (FParent != nullptr)
        SetFont(FParent->Font());
    FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage& Message)
{
    if (!FParentColor) return;
    if (Message.WParam != 0)
        SetColor(static_cast<TColor>(Message.LParam));
    else if (FParent != nullptr)
        SetColor(FParent->Color());
    FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&)
{
    if (!FParentShowHint || FParent == nullptr) return;
    SetShowHint(FParent->ShowHint());
    FParentShowHint = true;
}

void TControl::CMParentBiDiModeChanged(TMessage&)
{
    if (!FParentBiDiMode || FParent == nullptr) return;
    SetBiDiMode(FParent->BiDiMode());
    FParentBiDiMode = true;
}

void TControl::CMParentCtl3DChanged(TMessage&)
{
    if (!FParentCtl3D || FParent == nullptr) return;
    SetCtl3D(FParent->Ctl3D());
    FParentCtl3D = true;
}

void TControl::CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }

void TControl::CMMouseEnter(TMessage& Message)
{
    if (FParent != nullptr) FParent->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
    if (Message.LParam == 0) {
        FMouseInClient = true;
        if (OnMouseEnter) OnMouseEnter(this);
    }
}

void TControl::CMMouseLeave(TMessage& Message)
{
    if (FParent != nullptr) FParent->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
    if (Message.LParam == 0) {
        FMouseInClient = false;
        if (OnMouseLeave) OnMouseLeave(this);
    }
}

void TControl::CMHintShow(TMessage& Message) { Message.Result = 0; }
void TControl::CMSysColorChange(TMessage&) {}
void TControl::CMSysFontChanged(TMessage&) {}

// ---- Life cycle ----------------------------------------------------------------------------

void TControl::Loaded()
{
    TComponent::Loaded();
    UpdateAnchorRules();
    // What InsertControl left out while the control was read.
    if (FParent != nullptr) {
        Perform(CM_PARENTCOLORCHANGED);
        Perform(CM_PARENTFONTCHANGED);
        Perform(CM_PARENTSHOWHINTCHANGED);
        Perform(CM_PARENTBIDIMODECHANGED);
    }
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent != nullptr && AComponent == FPopupMenuComponent) {
        FPopupMenu = nullptr;
        FPopupMenuComponent = nullptr;
    }
}
