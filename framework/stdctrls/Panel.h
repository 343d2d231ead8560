#pragma once
// TPanel: a container with an outer and inner bevel, a border band and a caption.
//
// A panel has its own BevelInner/BevelOuter/BevelWidth/BorderWidth: unlike the frame a plain
// windowed control can draw in its non-client area, a panel paints its bevels inside its client
// area and only shrinks the room its children are aligned in.
#include <functional>

#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

using TPaintEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout VerticalAlignment() const { return FVerticalAlignment; }
    void SetVerticalAlignment(TTextLayout Value);
    TBevelCut BevelInner() const { return FPanelBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FPanelBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    int BevelWidth() const { return FPanelBevelWidth; }
    void SetBevelWidth(int Value);
    int BorderWidth() const { return FPanelBorderWidth; }
    void SetBorderWidth(int Value);
    // bsSingle adds a sunken client edge (or a plain border without Ctl3D).
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    // Repaint everything on a resize (otherwise only what the resize uncovered).
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool Value) { FFullRepaint = Value; }

    // The inside of the bevels and the border band.
    TRect InnerRect();
    void AdjustClientRect(TRect& Rect) override;
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void CMCtl3DChanged(TMessage& Message) override;

protected:
    TAlignment FAlignment = taCenter;
    TTextLayout FVerticalAlignment = tlCenter;
    TBevelCut FPanelBevelInner = bvNone;
    TBevelCut FPanelBevelOuter = bvRaised;
    int FPanelBevelWidth = 1;
    int FPanelBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    bool FShowCaption = true;
    bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};
