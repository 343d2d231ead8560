#pragma once
// TStatusBar over msctls_statusbar32, with a collection of panels or one simple panel. It keeps
// its values while it has no window and writes them into the window when it is made; owner-drawn
// panels are drawn through OnDrawPanel when the parent reflects WM_DRAWITEM (CN_DRAWITEM).
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <memory>
#include <vector>

#include "framework/classes/Collection.h"
#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

class TCustomStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
public:
    explicit TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}
    void Assign(TPersistent* Source) override;
    String DisplayName() const override;

    const String& Text() const { return FText; }
    void SetText(const String& Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel Value);

private:
    String FText;
    int FWidth = 50;
    TStatusPanelStyle FStyle = psText;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
};

class TStatusPanels : public TCollection {
public:
    explicit TStatusPanels(TCustomStatusBar* StatusBar);
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(int Index) const { return static_cast<TStatusPanel*>(TCollection::Items(Index)); }
    TPersistent* GetOwner() override;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TCustomStatusBar* FStatusBar;
};

using TDrawPanelEvent = std::function<void(TCustomStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TCustomStatusBar : public TWinControl {
public:
    explicit TCustomStatusBar(TComponent* AOwner);
    ~TCustomStatusBar() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    TStatusPanels* Panels() const { return FPanels.get(); }
    void SetPanels(TStatusPanels* Value) { FPanels->Assign(Value); }
    // One panel over the whole bar showing SimpleText, instead of the panels.
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool Value);
    const String& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const String& Value);
    // The grip shows when the bar's parent is a form with a sizeable border.
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    bool AutoHint() const { return FAutoHint; }
    void SetAutoHint(bool Value) { FAutoHint = Value; }

    // Writes the panels' edges (UpdateRects) and texts into the window.
    void UpdatePanels(bool UpdateRects, bool UpdateText);
    void UpdatePanel(int Index, bool Repaint);
    // An owner-drawn panel: OnDrawPanel, or the background filled.
    virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNDrawItem(TMessage& Message);
    void WMSize(TMessage& Message) override;

    TDrawPanelEvent OnDrawPanel;
    TNotifyEvent OnHint;

private:
    std::unique_ptr<TStatusPanels> FPanels;
    std::unique_ptr<TControlCanvas> FCanvas;
    bool FSimplePanel = false;
    String FSimpleText;
    bool FSizeGrip = true;
    bool FAutoHint = false;
};

class TStatusBar : public TCustomStatusBar {
public:
    explicit TStatusBar(TComponent* AOwner) : TCustomStatusBar(AOwner) {}
};
