#pragma once
// Unit sMaskEdit: TsMaskEdit, the skinned single-line masked edit (and TsEdit, the same without a
// mask). The platform edit keeps the mask, text, caret, selection and clipboard; only the look
// changes: frame and face come from the skin section "EDIT" through the 32-bit cache of the skin
// state. While idle the whole control is a copy of that cache; while active (focused or under
// the mouse) the system edit paints its own client area, so that typing does not recompose the
// cache for every key, and only the frame comes from the cache, in the hot state.
#include <memory>

#include "framework/stdctrls/MaskEdit.h"
#include "skin/controls/sControlTypes.h"
#include "skin/core/sCommonData.h"

class TsMaskEdit : public TMaskEdit {
public:
    explicit TsMaskEdit(TComponent* AOwner);
    ~TsMaskEdit() override;

    TsCommonData* SkinData() const { return FCommonData.get(); }
    // The caption label kept beside the edit.
    TsBoundLabel* BoundLabel() const { return FBoundLabel.get(); }
    TsDisabledKind DisabledKind() const { return FDisabledKind; }
    void SetDisabledKind(TsDisabledKind Value);

    // Keeps the text clear of whatever a descendant puts inside the edit (nothing here).
    virtual void SetEditRect();
    // The frame from the cache into DC (0: the window DC).
    virtual void PaintBorder(HDC DC);
    // The text into the cache.
    virtual void PaintText();
    // The whole control from the cache into DC (0: the window DC).
    virtual void OurPaint(HDC DC);
    // The control shows its hot state.
    virtual bool IsActive();

    // Composes the cache.
    void PrepareCache();
    // 0 without border, else 2 or 3 (with Ctl3D).
    int EditBorderWidth();

    void Change() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;

protected:
    std::unique_ptr<TsCommonData> FCommonData;
    std::unique_ptr<TsBoundLabel> FBoundLabel;
    TsDisabledKind FDisabledKind{dkBlended};

    // The text as shown: one password character per character when there is one.
    String ShownText();
    // The skin sub-commands the edit answers itself; true when done.
    bool HandleSkinCommand(TMessage& Message);
    // Runs Paint on DC, or on the window DC (saved, restored and released) when DC is 0.
    void PaintWithWindowDC(HDC DC, const std::function<void(HDC)>& Paint);
    // Readies the cache for a skinned paint: recomposed when the edit was, or its parent is,
    // partly hidden (the hidden part's background was never composed), then its corners filled.
    void PrepareCacheForPaint();

private:
    bool HandleSkinnedMessage(TMessage& Message);
    void DispatchMessage(TMessage& Message);
};

class TsEdit : public TsMaskEdit {
public:
    using TsMaskEdit::TsMaskEdit;
};
