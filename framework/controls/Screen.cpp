// TScreen: the forms and which one is active, the application-wide cursor and the cursor
// table, the screen's metrics and monitors, and the installed fonts.
#include <algorithm>
#include <set>

#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "framework/graphics/DrawingGuards.h"

namespace {

struct TStandardCursor {
    TCursor Id;
    LPCWSTR Resource;
};

// Cursors of our own (drag, split) map to the nearest system cursor.
const TStandardCursor StandardCursors[] = {
    {crDefault, IDC_ARROW}, {crArrow, IDC_ARROW},   {crCross, IDC_CROSS},       {crIBeam, IDC_IBEAM},
    {crSizeNESW, IDC_SIZENESW}, {crSizeNS, IDC_SIZENS}, {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE},
    {crUpArrow, IDC_UPARROW}, {crHourGlass, IDC_WAIT}, {crDrag, IDC_ARROW},     {crNoDrop, IDC_NO},
    {crHSplit, IDC_SIZEWE},  {crVSplit, IDC_SIZENS},  {crMultiDrag, IDC_ARROW}, {crSQLWait, IDC_WAIT},
    {crNo, IDC_NO},          {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP}, {crHandPoint, IDC_HAND},
    {crSizeAll, IDC_SIZEALL},
};

int CALLBACK CollectFont(const LOGFONTW* Font, const TEXTMETRICW*, DWORD, LPARAM Data)
{
    // Vertical variants ("@Name") are not fonts of their own.
    if (Font->lfFaceName[0] != L'@') reinterpret_cast<std::set<String>*>(Data)->insert(Font->lfFaceName);
    return 1;
}

void FontFromLogFont(TFont* Font, const LOGFONTW& Log)
{
    HFONT handle = CreateFontIndirectW(&Log);
    if (handle != nullptr) Font->SetHandle(handle);
}

} // namespace

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner), FHintFont(std::make_unique<TFont>()), FIconFont(std::make_unique<TFont>()), FMenuFont(std::make_unique<TFont>())
{
    for (const TStandardCursor& c : StandardCursors) FCursors[c.Id] = LoadCursorW(nullptr, c.Resource);
    FCursors[crNone] = nullptr;
    GetMetricSettings();
}

TScreen::~TScreen()
{
    for (HCURSOR cursor : FOwnedCursors) DestroyCursor(cursor);
}

void TScreen::GetMetricSettings()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        FontFromLogFont(FHintFont.get(), metrics.lfStatusFont);
        FontFromLogFont(FMenuFont.get(), metrics.lfMenuFont);
    }
    FHintFont->SetColor(clInfoText);
    LOGFONTW icon{};
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0)) FontFromLogFont(FIconFont.get(), icon);
}

// ---- Forms ---------------------------------------------------------------------------------

void TScreen::AddForm(TCustomForm* Form)
{
    if (std::find(FForms.begin(), FForms.end(), Form) == FForms.end()) FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    SaveFocusedList.erase(std::remove(SaveFocusedList.begin(), SaveFocusedList.end(), Form), SaveFocusedList.end());
    if (FFocusedForm == Form) FFocusedForm = nullptr;
    bool changed = false;
    if (FActiveControl != nullptr && Form->ContainsControl(FActiveControl)) {
        FActiveControl = nullptr;
        changed = true;
    }
    if (FActiveForm == Form) {
        FActiveForm = nullptr;
        if (OnActiveFormChange) OnActiveFormChange(this);
    }
    if (changed && OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::FormFocused(TCustomForm* Form, TWinControl* Control)
{
    bool controlChanged = FActiveControl != Control;
    bool formChanged = FActiveForm != Form;
    FActiveControl = Control;
    FActiveForm = Form;
    if (Form != nullptr) {
        auto it = std::find(FForms.begin(), FForms.end(), Form);
        if (it != FForms.end()) std::rotate(FForms.begin(), it, it + 1);
    }
    if (controlChanged && OnActiveControlChange) OnActiveControlChange(this);
    if (formChanged && OnActiveFormChange) OnActiveFormChange(this);
}

// ---- Cursors -------------------------------------------------------------------------------

HCURSOR TScreen::Cursors(TCursor Index) const
{
    auto it = FCursors.find(Index);
    if (it != FCursors.end()) return it->second;
    return FCursors.at(crDefault);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle)
{
    if (Index == crDefault && Handle == nullptr) return;
    auto it = FCursors.find(Index);
    if (it != FCursors.end() && std::find(FOwnedCursors.begin(), FOwnedCursors.end(), it->second) != FOwnedCursors.end()) {
        FOwnedCursors.erase(std::find(FOwnedCursors.begin(), FOwnedCursors.end(), it->second));
        DestroyCursor(it->second);
    }
    if (Handle == nullptr) {
        FCursors.erase(Index);
        return;
    }
    FCursors[Index] = Handle;
    FOwnedCursors.push_back(Handle);
    if (Index == FCursor) ::SetCursor(Handle);
}

void TScreen::SetCursor(TCursor Value)
{
    if (Value != FCursor) {
        FCursor = Value;
        if (Value == crDefault) {
            // Let the window under the cursor choose again.
            POINT p;
            GetCursorPos(&p);
            HWND wnd = WindowFromPoint(p);
            if (wnd != nullptr && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId()) {
                LRESULT code = SendMessageW(wnd, WM_NCHITTEST, 0, PointToLParam(p.x, p.y));
                SendMessageW(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELONG(code, WM_MOUSEMOVE));
                ++FCursorCount;
                return;
            }
        }
        ::SetCursor(Cursors(Value));
    }
    ++FCursorCount;
}

// ---- Metrics and monitors ------------------------------------------------------------------

TRect TScreen::WorkAreaRect() const
{
    RECT r;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) r = RECT{0, 0, Width(), Height()};
    return r;
}

int TScreen::PixelsPerInch() const { return ScreenPixelsPerInch(); }

namespace {
// A monitor's rectangles are asked afresh each time: the layout may change while the handle stays.
TMonitorFacts MonitorFacts(HMONITOR Handle)
{
    for (const TMonitorFacts& facts : SystemFacts().Monitors())
        if (facts.Handle == Handle) return facts;
    return TMonitorFacts{};
}
} // namespace

TRect TMonitor::BoundsRect() const { return MonitorFacts(FHandle).Bounds; }

TRect TMonitor::WorkareaRect() const { return MonitorFacts(FHandle).WorkArea; }

bool TMonitor::Primary() const { return MonitorFacts(FHandle).Primary; }

int TScreen::MonitorCount()
{
    std::vector<TMonitorFacts> monitors = SystemFacts().Monitors();
    bool same = monitors.size() == FMonitors.size();
    for (size_t i = 0; same && i < monitors.size(); ++i) same = FMonitors[i]->FHandle == monitors[i].Handle;
    if (!same) {
        FMonitors.clear();
        for (size_t i = 0; i < monitors.size(); ++i) {
            auto monitor = std::make_unique<TMonitor>();
            monitor->FHandle = monitors[i].Handle;
            monitor->FMonitorNum = static_cast<int>(i);
            FMonitors.push_back(std::move(monitor));
        }
    }
    return static_cast<int>(FMonitors.size());
}

TMonitor* TScreen::Monitors(int Index)
{
    if (Index < 0 || Index >= MonitorCount()) throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    return FMonitors[static_cast<size_t>(Index)].get();
}

TMonitor* TScreen::FindMonitor(HMONITOR Handle)
{
    if (Handle == nullptr) return nullptr;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1 || FMonitors.empty()) MonitorCount();
        for (auto& monitor : FMonitors)
            if (monitor->FHandle == Handle) return monitor.get();
    }
    return nullptr;
}

namespace {
DWORD MonitorFlags(TMonitorDefaultTo Default)
{
    switch (Default) {
    case mdNull: return MONITOR_DEFAULTTONULL;
    case mdPrimary: return MONITOR_DEFAULTTOPRIMARY;
    default: return MONITOR_DEFAULTTONEAREST;
    }
}
} // namespace

TMonitor* TScreen::PrimaryMonitor()
{
    for (int i = 0; i < MonitorCount(); ++i)
        if (FMonitors[static_cast<size_t>(i)]->Primary()) return FMonitors[static_cast<size_t>(i)].get();
    return FMonitors.empty() ? nullptr : FMonitors.front().get();
}

TMonitor* TScreen::MonitorFromPoint(const TPoint& Point, TMonitorDefaultTo Default)
{
    return FindMonitor(::MonitorFromPoint(Point, MonitorFlags(Default)));
}

TMonitor* TScreen::MonitorFromWindow(HWND Handle, TMonitorDefaultTo Default)
{
    return FindMonitor(::MonitorFromWindow(Handle, MonitorFlags(Default)));
}

TMonitor* TScreen::MonitorFromRect(const TRect& Rect, TMonitorDefaultTo Default)
{
    return FindMonitor(::MonitorFromRect(&Rect, MonitorFlags(Default)));
}

// ---- Fonts ---------------------------------------------------------------------------------

TStrings* TScreen::Fonts()
{
    if (!FFonts) {
        std::set<String> names;
        {
            TWindowDCGuard dc(nullptr);
            LOGFONTW log{};
            log.lfCharSet = DEFAULT_CHARSET;
            EnumFontFamiliesExW(dc.DC(), &log, CollectFont, reinterpret_cast<LPARAM>(&names), 0);
        }
        FFonts = std::make_unique<TStringList>();
        for (const String& name : names) FFonts->Add(name);
    }
    return FFonts.get();
}

void TScreen::ResetFonts() { FFonts.reset(); }
