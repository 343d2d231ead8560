#pragma once
// The one place where the program asks the system what a test cannot control on this machine:
// the Windows and common-controls versions, the theme, desktop composition, a right-to-left
// locale, the installed office version, the key state, the tick count, the beep, opening a
// document or link through the shell and the monitors. Everything else reaches these through
// SystemFacts().
//
// TSystemFacts answers from the real system. A test derives from it, overrides just the answers it
// needs (the rest stay real) and puts its object in force for a scope:
//
//     struct TNoTheme : TSystemFacts { bool ThemeActive() override { return false; } };
//     TNoTheme facts;
//     TSystemFactsOverride use(facts); // SystemFacts() is `facts` until `use` goes
//
// Overrides nest; each gives back the facts that were in force before it. They belong to the GUI
// thread, like everything that asks them.
#include <windows.h>

#include <vector>

#include "framework/system/SystemTypes.h"

struct TWindowsVersion {
    DWORD Major = 0, Minor = 0, Build = 0;
    bool AtLeast(DWORD AMajor, DWORD AMinor) const { return Major != AMajor ? Major > AMajor : Minor >= AMinor; }
};

struct TMonitorFacts {
    HMONITOR Handle = nullptr;
    RECT Bounds{};
    RECT WorkArea{};
    bool Primary = false;
};

// MAKELONG(minor, major), the way the common controls and file versions are compared.
constexpr DWORD MakeVersion(DWORD Major, DWORD Minor) { return (Major << 16) | (Minor & 0xFFFF); }

class TSystemFacts {
public:
    virtual ~TSystemFacts() = default;

    // The real version (RtlGetVersion): GetVersionEx answers what the manifest claims instead.
    virtual TWindowsVersion WindowsVersion();
    // comctl32's own answer (DllGetVersion) as MakeVersion(major, minor); 0 when it gives none.
    virtual DWORD CommonControlsVersion();
    // Visual styles are on. False without uxtheme or its function.
    virtual bool ThemeActive();
    // The current theme's file (full path) and its name (the file's name without folder and
    // extension); empty while no theme is active.
    virtual String ThemeFileName();
    virtual String ThemeName();
    // Desktop composition (DWM) is on; false without dwmapi.
    virtual bool CompositionEnabled();
    // The system locale reads right to left (SM_MIDEASTENABLED).
    virtual bool RightToLeftLocale();
    // The installed spreadsheet application's major version ("Excel.Application" registered with
    // its class id and current version), 0 when none is installed.
    virtual int OfficeVersion();
    // As GetKeyState: the high bit is set while the key is down.
    virtual SHORT KeyState(int VirtualKey);
    virtual DWORD TickCount();
    virtual void Beep(UINT Type);
    // Opens a document or link with the shell's "open" verb, shown by ShowCmd (SW_*) and owned
    // by Owner for the shell's messages; true when the shell took it.
    virtual bool ShellOpen(const String& Target, int ShowCmd = SW_SHOWNORMAL, HWND Owner = nullptr);
    // The display monitors in the system's order.
    virtual std::vector<TMonitorFacts> Monitors();
};

// The facts in force: the real system unless an override is alive.
TSystemFacts& SystemFacts();

// Puts Facts in force for the override's lifetime and gives back the previous facts afterwards.
// Facts must outlive the override.
class TSystemFactsOverride {
public:
    explicit TSystemFactsOverride(TSystemFacts& Facts);
    ~TSystemFactsOverride();
    TSystemFactsOverride(const TSystemFactsOverride&) = delete;
    TSystemFactsOverride& operator=(const TSystemFactsOverride&) = delete;

private:
    TSystemFacts* FPrevious;
};

// Facts that pass every question on to others (by default, the ones in force when it was made).
// For changing one answer on top of whatever an outer override already says.
class TForwardingFacts : public TSystemFacts {
public:
    TForwardingFacts() : FBase(SystemFacts()) {}
    explicit TForwardingFacts(TSystemFacts& Base) : FBase(Base) {}

    TWindowsVersion WindowsVersion() override { return FBase.WindowsVersion(); }
    DWORD CommonControlsVersion() override { return FBase.CommonControlsVersion(); }
    bool ThemeActive() override { return FBase.ThemeActive(); }
    String ThemeFileName() override { return FBase.ThemeFileName(); }
    String ThemeName() override { return FBase.ThemeName(); }
    bool CompositionEnabled() override { return FBase.CompositionEnabled(); }
    bool RightToLeftLocale() override { return FBase.RightToLeftLocale(); }
    int OfficeVersion() override { return FBase.OfficeVersion(); }
    SHORT KeyState(int VirtualKey) override { return FBase.KeyState(VirtualKey); }
    DWORD TickCount() override { return FBase.TickCount(); }
    void Beep(UINT Type) override { FBase.Beep(Type); }
    bool ShellOpen(const String& Target, int ShowCmd = SW_SHOWNORMAL, HWND Owner = nullptr) override
    {
        return FBase.ShellOpen(Target, ShowCmd, Owner);
    }
    std::vector<TMonitorFacts> Monitors() override { return FBase.Monitors(); }

protected:
    TSystemFacts& FBase;
};
