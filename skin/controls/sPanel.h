#pragma once
// Unit sPanel: the skinned panel and the drag bar built on it.
//
// TsPanel paints in one of two ways. When what lies behind it is not a plain colour (a gradient,
// a texture, a hot state) it composes its whole look, section, border and caption, in the cache
// bitmap of its skin state and copies that out. When a plain colour is enough (or the panel has
// a colour of its own) it paints straight onto the device context: the border from the
// section's border mask, the inside filled. It answers its children's background questions with
// offsets measured from its client origin, and follows its outer bevel with its section
// ("PANEL" raised, "PANEL_LOW" lowered, "CHECKBOX" none) unless the section was named otherwise.
//
// TsDragBar is a caption strip that moves another control, its form by default, while the user
// drags it with the left button.
#include <memory>

#include "framework/stdctrls/Panel.h"
#include "skin/core/sCommonData.h"

class TsPanel : public TCustomPanel {
public:
    explicit TsPanel(TComponent* AOwner);
    ~TsPanel() override;

    TsCommonData* SkinData() const { return FCommonData.get(); }
    void Loaded() override;
    void Paint() override;
    void PaintWindow(HDC DC) override;
    void WndProc(TMessage& Message) override;

    // Paints the panel into DC (0: its own canvas); with SendUpdated the children are told to
    // resume painting afterwards.
    virtual void OurPaint(HDC DC, bool SendUpdated);
    // Writes the caption centred vertically in R on aCanvas, or on a canvas over aDC.
    virtual void WriteText(TRect& R, TCanvas* aCanvas, HDC aDC);
    // Composes the panel in its cache bitmap when a full paint is needed.
    void PrepareCache();
    // The client area inside the border band and the bevels.
    TRect TextRect();
    // The border band plus the bevels that are not bvNone.
    int BorderAndBevelWidth() const;

    TPaintEvent OnPaint;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // The section answering to a bevel: "CHECKBOX" for none, "PANEL_LOW" lowered, "PANEL" raised.
    static String SectionOfBevel(TBevelCut Bevel);
    bool CacheModeNeeded();
    void CheckBevelSection();
    void PaintPlain(HDC DC);
    void PaintPlainFace(HDC DC);
    void PaintFromCache(HDC DC);
    bool HandleSkinMessage(TMessage& Message);
    bool HandleSkinnedMessage(TMessage& Message);
    void HandleUnskinnedMessage(TMessage& Message);

    std::unique_ptr<TsCommonData> FCommonData;
    TBevelCut FOldBevel = bvRaised;
};

class TsDragBar : public TsPanel {
public:
    explicit TsDragBar(TComponent* AOwner);

    TControl* DraggedControl() const { return FDraggedControl; }
    void SetDraggedControl(TControl* Value);
    void Loaded() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TControl* FDraggedControl = nullptr;
};
