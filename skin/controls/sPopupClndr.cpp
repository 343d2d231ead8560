#include "skin/controls/sPopupClndr.h"

#include "framework/system/DateTimeUtils.h"
#include "skin/controls/sMonthCalendar.h"
#include "skin/controls/sTooledit.h"
#include "skin/core/sConst.h"
#include "skin/core/sSkinManager.h"

TAOR PopupCornerRects;

TsPopupCalendar::TsPopupCalendar(TComponent* AOwner) : TForm(AOwner)
{
    SetTag(NoSkinTag);
    SetBorderStyle(bsNone);
    SetClientWidth(189);
    SetClientHeight(132);
    SetColor(clBtnFace);
    Font()->SetName(L"Tahoma");
    Font()->SetHeight(-11);
    SetKeyPreview(true);
    SetScaled(false);
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    OnDeactivate = [this](TObject* Sender) { FormDeactivate(Sender); };
    OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { FormKeyDown(Sender, Key, Shift); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };

    sMonthCalendar1 = new TsMonthCalendar(this);
    sMonthCalendar1->SetName(L"sMonthCalendar1");
    sMonthCalendar1->SetParent(this);
    sMonthCalendar1->SetBounds(0, 0, 189, 132);
    sMonthCalendar1->SetAlign(alClient);
    sMonthCalendar1->SetBevelWidth(1);
    sMonthCalendar1->SetBorderWidth(3);
    sMonthCalendar1->SetCaption(L" ");
    sMonthCalendar1->SetTabOrder(0);
    sMonthCalendar1->SkinData()->SetSkinSection(L"PANEL");
    FCalendar = sMonthCalendar1;

    PopupMenu1 = new TPopupMenu(this);
    struct TItemSpec {
        const wchar_t* Caption;
        TShortCut ShortCut;
        bool Visible;
    };
    const TItemSpec items[] = {{L"&Copy", static_cast<TShortCut>(scCtrl | VK_INSERT), true},
                               {L"&Paste", static_cast<TShortCut>(scShift | VK_INSERT), true},
                               {L"OK", VK_RETURN, false},
                               {L"Cancel", VK_ESCAPE, false}};
    for (const TItemSpec& spec : items) {
        auto* item = new TMenuItem(this);
        item->SetCaption(spec.Caption);
        item->SetShortCut(spec.ShortCut);
        item->SetVisible(spec.Visible);
        PopupMenu1->Items()->Add(item);
    }
    AfterConstruction();
}

bool TsPopupCalendar::IsValidDate(TDateTime D) const
{
    if (FEditor == nullptr) return true;
    return (FEditor->MinDate() == 0 || FEditor->MinDate() <= D) && (FEditor->MaxDate() == 0 || D <= FEditor->MaxDate());
}

bool TsPopupCalendar::OfferDate(TDateTime D)
{
    bool action = true;
    if (FEditor->OnAcceptDate) FEditor->OnAcceptDate(FEditor, D, action);
    if (!action) return false;
    FEditor->SetDate(D);
    if (FEditor->OnChange) FEditor->OnChange(FEditor);
    return true;
}

void TsPopupCalendar::ReturnFocusToEditor()
{
    if (FEditor == nullptr || !FEditor->Visible() || !FEditor->Enabled() || !FEditor->CanFocus()) return;
    FEditor->SetFocus();
    if (FEditor->AutoSelect()) FEditor->SelectAll();
}

void TsPopupCalendar::CalendarClick()
{
    bool action = true;
    if (FEditor != nullptr) {
        const TDateTime d = FCalendar->CalendarDate();
        if (!IsValidDate(d)) return;
        action = OfferDate(d);
        if (action) {
            Hide();
            ReturnFocusToEditor();
        }
    }
    if (action) Close();
}

void TsPopupCalendar::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    switch (Key) {
    case VK_RETURN:
        if (FEditor != nullptr) {
            const TDateTime d = FCalendar->CalendarDate();
            if (!IsValidDate(d)) return;
            OfferDate(d);
            ReturnFocusToEditor();
        }
        Key = 0;
        Close();
        return;
    case VK_ESCAPE:
        if (FEditor != nullptr && FEditor->CanFocus()) FEditor->SetFocus();
        Key = 0;
        Close();
        return;
    default:
        return;
    }
}

void TsPopupCalendar::KeyPress(wchar_t& Key)
{
    TForm::KeyPress(Key);
    if (Key != 0) FCalendar->Grid()->KeyPress(Key);
}

void TsPopupCalendar::FormDeactivate(TObject*)
{
    if (FEditor != nullptr) FEditor->PopupDeactivated();
    Close();
}

void TsPopupCalendar::FormClose(TObject*, TCloseAction&)
{
    FCalendar->Grid()->Clicked = false;
}

void TsPopupCalendar::FormShow(TObject*)
{
    FCalendar->DragBar()->SetCursor(crDefault);
    if (EditorSkinActive()) UpdateRegion(true);
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    SetColor(manager != nullptr && manager->Active() ? manager->GetGlobalColor() : clBtnFace);
    if (FEditor != nullptr) FCalendar->SetShowCurrentDate(FEditor->ShowCurrentDate());
}

void TsPopupCalendar::sToolButton1Click(TObject*)
{
    Close();
}

void TsPopupCalendar::sToolButton3Click(TObject*)
{
    Application->Minimize();
}

void TsPopupCalendar::DoCloseUp(bool Accept)
{
    if (OnCloseUp) OnCloseUp(this, Accept);
}

void TsPopupCalendar::CreateParams(TCreateParams& Params)
{
    TForm::CreateParams(Params);
    Params.Style |= WS_CLIPSIBLINGS;
}

void TsPopupCalendar::CreateWnd()
{
    TForm::CreateWnd();
    SetClassLongPtrW(Handle(), GCL_STYLE, GetClassLongPtrW(Handle(), GCL_STYLE) | CS_DROPSHADOW);
}

bool TsPopupCalendar::EditorSkinActive() const
{
    if (FEditor == nullptr) return false;
    TsSkinManager* manager = FEditor->SkinData()->SkinManager();
    return manager != nullptr && manager->Active();
}

void TsPopupCalendar::UpdateRegion(bool Redraw)
{
    PopupCornerRects.clear();
    TsSkinManager* manager = FEditor->SkinData()->SkinManager();
    const int border = FCalendar->SkinData()->BorderIndex;
    if (manager->IsValidImgIndex(border)) {
        const TsMaskData& mask = manager->Skin().ma[static_cast<size_t>(border)];
        CollectMaskCornerRects(PopupCornerRects, Width(), mask, false, 0, &manager->Skin());
        CollectMaskCornerRects(PopupCornerRects, Width(), mask, true, Height() - mask.WB, &manager->Skin());
    }
    HRGN region = CreateRectRgn(0, 0, Width(), Height());
    for (const TRect& r : PopupCornerRects) {
        HRGN corner = CreateRectRgn(r.left, r.top, r.right, r.bottom);
        CombineRgn(region, region, corner, RGN_DIFF);
        DeleteObject(corner);
    }
    // The window owns the region from here on.
    SetWindowRgn(Handle(), region, Redraw ? TRUE : FALSE);
}

void TsPopupCalendar::WndProc(TMessage& Message)
{
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    if (Message.Msg == WM_ERASEBKGND && manager != nullptr && manager->Active()) return;
    if (Message.Msg == WM_NCPAINT && EditorSkinActive() && HandleAllocated()) UpdateRegion(false);
    TForm::WndProc(Message);
}
