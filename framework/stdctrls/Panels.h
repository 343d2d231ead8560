#pragma once
// Containers and decorations: TCustomPanel (a container with an outer and inner bevel, a border
// band and a caption), TBevel (a windowless box, frame or line), TImage (a windowless picture:
// stretched, centred, proportional, transparent), TCustomGroupBox (a container framed with a
// caption) and TRadioGroup (a group box that makes one radio button per item, in columns).
//
// A panel has its own BevelInner/BevelOuter/BevelWidth/BorderWidth: unlike the frame a plain
// windowed control can draw in its non-client area, a panel paints its bevels inside its client
// area and only shrinks the room its children are aligned in.
#include <memory>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/graphics/Graphic.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/classes/StringList.h"

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

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

    void Paint() override;

protected:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    // The picture's bitmap canvas (an empty picture gets a bitmap of the control's size).
    TCanvas* ImageCanvas();
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    // Stretching (or shrinking a picture that does not fit) keeps the aspect ratio.
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // Where the picture is drawn in the client area.
    TRect DestRect();

    void Paint() override;

    TNotifyEvent OnProgress;

protected:
    void PictureChanged(TObject* Sender);

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
    bool FDrawing = false;
};

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);

    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMCtl3DChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
};

class TCustomRadioGroup;

// A radio button a radio group made for one of its items.
class TGroupButton : public TRadioButton {
public:
    explicit TGroupButton(TCustomRadioGroup* RadioGroup);
    ~TGroupButton() override;

    void Dispatch(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;

private:
    TCustomRadioGroup* FGroup;
    bool FInClick = false;
};

class TCustomRadioGroup : public TCustomGroupBox {
public:
    explicit TCustomRadioGroup(TComponent* AOwner);
    ~TCustomRadioGroup() override;

    // One radio button per line; changes rebuild the buttons.
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    // The checked item, -1 for none; setting it checks that button (which fires OnClick).
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TGroupButton* Buttons(int Index) const { return FButtons.at(static_cast<size_t>(Index)); }

    // False refuses a change by the user (a read-only group answers false).
    virtual bool CanModify() { return true; }
    // Places the buttons in columns over the client area.
    void ArrangeButtons();

    void Loaded() override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void WMSize(TMessage& Message) override;

protected:
    friend class TGroupButton;
    void ButtonClick(TObject* Sender);
    void ItemsChange(TObject* Sender);
    void SetButtonCount(int Value);
    void UpdateButtons();

    std::vector<TGroupButton*> FButtons;
    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
    bool FWordWrap = false;
};

class TRadioGroup : public TCustomRadioGroup {
public:
    using TCustomRadioGroup::TCustomRadioGroup;
};
