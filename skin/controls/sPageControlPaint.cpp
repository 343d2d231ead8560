// sPageControl: painting. The cache holds the strip's background, the inactive tabs and the page
// body; the active tab is never part of it and is painted last, straight onto the screen.
#include <windows.h>

#include <algorithm>
#include <optional>

#include "framework/controls/Forms.h"
#include "framework/graphics/DrawingGuards.h"
#include "skin/controls/sPageControl.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

namespace {

int RectWidth(const TRect& R) { return R.right - R.left; }
int RectHeight(const TRect& R) { return R.bottom - R.top; }
bool IsEmpty(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

TRect Moved(TRect R, TPoint By)
{
    OffsetRect(&R, By.x, By.y);
    return R;
}

HDC BitmapDC(TBitmap* Bmp) { return Bmp->Canvas()->Handle(); }

// Colour of a vertical caption: the section's font colour for the state, the control's own font
// colour where the skin gives none.
TColor SectionFontColor(const TsSkin* Skin, int SkinIndex, bool Hot, TColor Fallback)
{
    if (Skin == nullptr || !Skin->IsValidSkinIndex(SkinIndex)) return Fallback;
    const TColor c = Skin->gd[SkinIndex].Props[Hot ? 1 : 0].FontColor.Color;
    return c == static_cast<TColor>(-1) ? Fallback : c;
}

} // namespace

// ---- Tab sections -----------------------------------------------------------------------------

int TsPageControl::TabSection(TsTabSheet* Page, String& Section)
{
    const TsSkin* skin = Skin();
    TsSkinManager* manager = FCommonData->SkinManager();
    Section.clear();
    if (skin == nullptr || manager == nullptr) return -1;
    const String own = Page != nullptr ? Page->TabSkin() : String();
    switch (Style()) {
    case tsButtons: Section = own.empty() ? String(L"BUTTON") : own; return manager->GetSkinIndex(Section);
    case tsFlatButtons: Section = own.empty() ? String(L"TOOLBUTTON") : own; return manager->GetSkinIndex(Section);
    default: break;
    }
    if (!own.empty()) {
        Section = own;
        return manager->GetSkinIndex(Section);
    }
    int index = -1;
    switch (TabPosition()) {
    case tpTop: index = skin->ConstData.IndexTabTop; break;
    case tpBottom: index = skin->ConstData.IndexTabBottom; break;
    case tpLeft: index = skin->ConstData.IndexTabLeft; break;
    case tpRight: index = skin->ConstData.IndexTabRight; break;
    }
    if (skin->IsValidSkinIndex(index)) Section = skin->gd[index].ClassName;
    return index;
}

bool TsPageControl::TabHasImage(TsTabSheet* Page) const
{
    return Images() != nullptr && Page != nullptr && Page->ImageIndex() >= 0 && Page->ImageIndex() <= Images()->Count() - 1;
}

// ---- One tab ----------------------------------------------------------------------------------

void TsPageControl::DrawSkinTab(int PageIndex, int State, TPoint Offset, TBitmap* Bmp)
{
    if (PageIndex < 0 || PageIndex >= PageCount() || Bmp == nullptr) return;
    TTabSheet* sheet = FPages[static_cast<size_t>(PageIndex)];
    auto* page = dynamic_cast<TsTabSheet*>(sheet);
    const int tab = sheet->TabIndex();
    if (!sheet->TabVisible() || tab < 0) return;
    const bool isActive = sheet == TPageControl::ActivePage();
    const TRect r = SkinTabRect(tab, isActive);
    if (State == tsHot && r.left < 0) return;
    const bool activeLook = State == tsActive && isActive;
    const TRect t = SkinTabRect(tab, activeLook);
    if (IsEmpty(t)) return;

    const TsSkin* skin = Skin();
    String section;
    const int index = TabSection(page, section);
    int state = State;
    if (skin != nullptr && skin->IsValidSkinIndex(index)) state = std::min(State, std::max(0, skin->gd[index].States - 1));
    const TRect dst = Moved(t, Offset);
    if (skin != nullptr && skin->ConstData.IndexTabTop > 0 && skin->IsValidSkinIndex(index) &&
        skin->IsValidImgIndex(skin->GetMaskIndex(index, section, L"BORDERSMASK"))) {
        TBitmap* cache = FCommonData->CacheBmp();
        auto tmp = MakeBitmap32(RectWidth(t), RectHeight(t));
        const TRect whole{0, 0, tmp->Width(), tmp->Height()};
        if (activeLook) {
            // Over whatever the cache shows under it: the strip and the top of the body.
            CopyPixelBlock(tmp.get(), whole, cache, t.left, t.top);
            CopyPixelBlock(Bmp, dst, tmp.get(), 0, 0);
            DrawSection(index, section, MakeCacheInfo(tmp.get(), 0, 0), -1, -1, skin, Bmp, TPoint{0, 0}, dst, state);
        } else {
            DrawSection(index, section, MakeCacheInfo(cache, 0, 0), -1, -1, skin, tmp.get(), TPoint{t.left, t.top}, whole,
                        state);
            HDC dc = BitmapDC(Bmp);
            TSavedDC saved(dc);
            // An inactive tab reaches into the body; the body covers that part.
            if (TabPosition() == tpTop || TabPosition() == tpLeft) {
                const TRect body = Moved(PageRect(), Offset);
                ExcludeClipRect(dc, body.left, body.top, body.right, body.bottom);
            }
            BitBlt(dc, dst.left, dst.top, tmp->Width(), tmp->Height(), BitmapDC(tmp.get()), 0, 0, SRCCOPY);
        }
    }

    if (OwnerDraw()) {
        if (OnDrawTab) {
            TCanvas* canvas = Canvas();
            HDC dc = BitmapDC(Bmp);
            TSavedDC saved(dc);
            if (Bmp != FCommonData->CacheBmp()) SetViewportOrgEx(dc, Offset.x, Offset.y, nullptr);
            TCanvasHandleGuard<TCanvas> lent(*canvas, dc);
            OnDrawTab(this, tab, t, State != tsNormal);
        }
        return;
    }
    const int textIndex = skin != nullptr && skin->IsValidSkinIndex(index) ? index : FCommonData->SkinIndex;
    if (TabPosition() == tpLeft || TabPosition() == tpRight)
        DrawVerticalTabText(page, state, dst, Bmp, textIndex, TabHasImage(page));
    else
        DrawTabText(page, PageIndex, state, dst, Bmp, textIndex);
}

void TsPageControl::DrawTabText(TsTabSheet* Page, int PageIndex, int State, TRect T, TBitmap* Bmp, int SkinIndex)
{
    TTabSheet* sheet = FPages[static_cast<size_t>(PageIndex)];
    const String caption = sheet->Caption();
    TCanvas* canvas = Bmp->Canvas();
    canvas->SetFont(Font());
    TsSkinManager* manager = FCommonData->SkinManager();
    const int w = RectWidth(T), h = RectHeight(T);
    const TPoint origin{T.left, T.top};
    UINT flags = DT_SINGLELINE | DT_VCENTER;
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    T.bottom -= 1;
    const bool hasImage = TabHasImage(Page);
    if (hasImage) {
        const int textWidth = canvas->TextWidth(caption);
        const int x = (w - (textWidth + Images()->Width() + 7)) / 2 + T.left + 1;
        const int y = (h - Images()->Height()) / 2 + T.top - 1;
        Images()->Draw(canvas, x, y, Page->ImageIndex(), true);
        T.left = x + Images()->Width() + 6;
        DrawSectionText(canvas, caption, Enabled(), manager, State != tsNormal, SkinIndex, flags, T);
    } else {
        DrawSectionText(canvas, caption, true, manager, State != tsNormal, SkinIndex, flags | DT_CENTER, T);
    }
    if (!Focused() || State != tsActive || caption.empty() || !FShowFocus) return;
    RECT extent{0, 0, 0, 0};
    DrawTextW(canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &extent, DT_CALCRECT | DT_SINGLELINE);
    const int ew = extent.right - extent.left, eh = extent.bottom - extent.top;
    TRect frame{(w - ew) / 2, (h - eh) / 2, (w - ew) / 2 + ew, (h - eh) / 2 + eh};
    OffsetRect(&frame, origin.x, origin.y);
    InflateRect(&frame, 2, 1);
    if (hasImage) OffsetRect(&frame, Images()->Width() / 2, 0);
    DrawDottedFrame(canvas, frame, clBtnFace, clBlack);
}

void TsPageControl::DrawVerticalTabText(TsTabSheet* Page, int State, TRect T, TBitmap* Bmp, int SkinIndex,
                                        bool HasImage)
{
    TTabSheet* sheet = Page;
    if (sheet == nullptr) return;
    const String caption = sheet->Caption();
    const bool left = TabPosition() == tpLeft;
    TCanvas* canvas = Bmp->Canvas();
    HDC dc = canvas->Handle();
    TSavedDC saved(dc);

    LOGFONTW lf{};
    lf.lfHeight = Font()->Height();
    const TFontStyles style = Font()->Style();
    lf.lfItalic = style.Contains(fsItalic);
    lf.lfUnderline = style.Contains(fsUnderline);
    lf.lfStrikeOut = style.Contains(fsStrikeOut);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = static_cast<BYTE>(Font()->Charset());
    lf.lfEscapement = lf.lfOrientation = left ? -2700 : -900;
    // The old bitmap face has no rotated glyphs.
    const String face = Font()->Name() == L"MS Sans Serif" ? String(L"Arial") : Font()->Name();
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    HFONT rotated = CreateFontIndirectW(&lf);
    if (rotated == nullptr) return;
    TSelectedObject font(dc, rotated);
    SetBkMode(dc, TRANSPARENT);
    const TColor color = Enabled() ? SectionFontColor(Skin(), SkinIndex, State > 0, Font()->Color()) : TColor(0x808080);
    SetTextColor(dc, ColorToRGB(color));
    SIZE extent{0, 0};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    const int cx = extent.cx, cy = extent.cy;
    const int imgW = HasImage ? Images()->Width() : 0, imgH = HasImage ? Images()->Height() : 0;

    if (!left) OffsetRect(&T, -2, -1);
    if (HasImage && State == tsActive) OffsetRect(&T, 2, 0);
    const int w = RectWidth(T), h = RectHeight(T);
    int textX, textY;
    TRect frame = T;
    if (left) {
        if (HasImage) {
            const int y = T.bottom - (h - (imgH + cx + 4)) / 2 - imgH;
            Images()->Draw(canvas, (w - imgW) / 2 + T.left, y, Page->ImageIndex(), Enabled());
            textX = (w - cy) / 2 + T.left;
            textY = y - 4;
            InflateRect(&frame, (cy - w) / 2, (cx - h) / 2 + 2);
            OffsetRect(&frame, 0, -((imgH + 4) / 2));
        } else {
            textX = (w - cy) / 2 + T.left;
            textY = T.bottom - (h - cx) / 2;
            InflateRect(&frame, (cy - w) / 2, (cx - h) / 2);
        }
    } else {
        if (HasImage) {
            const int y = (h - (imgH + cx + 4)) / 2 + T.top;
            Images()->Draw(canvas, (w - imgW) / 2 + T.left, y, Page->ImageIndex(), Enabled());
            textX = (w - cy) / 2 + T.left + cy;
            textY = y + imgH + 4;
            InflateRect(&frame, (cy - w) / 2, (cx - h) / 2 + 2);
            OffsetRect(&frame, 0, (imgH + 4) / 2);
        } else {
            textX = (w - cy) / 2 + T.left + cy;
            textY = (h - cx) / 2 + T.top;
            InflateRect(&frame, (cy - w) / 2, (cx - h) / 2 + 2);
        }
    }
    RECT clip = T;
    ExtTextOutW(dc, textX, textY, ETO_CLIPPED, &clip, caption.c_str(), static_cast<UINT>(caption.size()), nullptr);
    if (FShowFocus && Focused() && State != tsNormal) DrawDottedFrame(canvas, frame, clBtnFace, clBlack);
}

void TsPageControl::DrawSkinTab(int PageIndex, int State, HDC DC)
{
    if (PageIndex < 0 || PageIndex >= PageCount() || DC == nullptr) return;
    TTabSheet* sheet = FPages[static_cast<size_t>(PageIndex)];
    if (!sheet->TabVisible() || sheet->TabIndex() < 0) return;
    const TRect r = SkinTabRect(sheet->TabIndex(), State == tsActive);
    if (IsEmpty(r)) return;
    auto bmp = MakeBitmap32(RectWidth(r), RectHeight(r));
    // What the tab leaves uncovered (its clipped foot, its corners) shows the cache.
    CopyPixelBlock(bmp.get(), TRect{0, 0, bmp->Width(), bmp->Height()}, FCommonData->CacheBmp(), r.left, r.top);
    DrawSkinTab(PageIndex, State, TPoint{-r.left, -r.top}, bmp.get());
    BitBlt(DC, r.left, r.top, bmp->Width(), bmp->Height(), BitmapDC(bmp.get()), 0, 0, SRCCOPY);
    if (HasCloseBtn(dynamic_cast<TsTabSheet*>(sheet))) DrawCloseBtn(DC, r, 0, MakeCacheInfo(bmp.get(), 0, 0));
}

void TsPageControl::RepaintTab(int PageIndex, int State, HDC DC)
{
    if (PageIndex < 0 || !HandleAllocated()) return;
    // Validates what the standard control invalidated for its own hot-tracking: the one tab
    // painted here is the whole repaint.
    TPaintGuard validate(Handle());
    std::optional<TWindowDCGuard> own;
    HDC dc = DC;
    if (dc == nullptr) {
        own.emplace(Handle());
        dc = own->DC();
    }
    TSavedDC saved(dc);
    TTabSheet* active = TPageControl::ActivePage();
    if (active != nullptr && PageIndex < PageCount()) {
        // A hot neighbour never paints over the larger active tab, nor its foot over the body.
        const TRect std = TabRect(FPages[static_cast<size_t>(PageIndex)]->TabIndex());
        IntersectClipRect(dc, std.left, std.top, std.right, std.bottom);
        const TRect a = SkinTabRect(active->TabIndex(), true);
        ExcludeClipRect(dc, a.left, a.top, a.right, a.bottom);
    }
    DrawSkinTab(PageIndex, State, dc);
}

// ---- The strip and the whole look ---------------------------------------------------------------

void TsPageControl::DrawSkinTabs(const TCacheInfo& BG)
{
    if (ComponentState().Contains(csDestroying)) return;
    TBitmap* cache = FCommonData->CacheBmp();
    const TRect strip = TabsRect();
    if (BG.Ready && BG.Bmp != nullptr)
        CopyPixelBlock(cache, strip, BG.Bmp, BG.X + strip.left, BG.Y + strip.top);
    else
        FillBitmapRect(cache, strip, BG.FillColor);
    TTabSheet* active = TPageControl::ActivePage();
    const int rows = RowCount();
    for (int row = 1; row <= rows; ++row)
        for (int i = 0; i < PageCount(); ++i) {
            TTabSheet* sheet = FPages[static_cast<size_t>(i)];
            if (!sheet->TabVisible() || sheet == active || TabRow(sheet->TabIndex()) != row) continue;
            DrawSkinTab(i, tsNormal, TPoint{0, 0}, cache);
        }
}

void TsPageControl::RepaintTabsArea(HDC DC)
{
    TsSkinManager* manager = FCommonData->SkinManager();
    if (DC == nullptr || (manager != nullptr && manager->AnimEffects()->PageChange()->Active() && LookChangeOutputWindow() != nullptr))
        return;
    DrawSkinTabs(FCommonData->GetParentCacheInfo());
    TRect r = TabsRect();
    // The two rows where the tabs meet the body go with the strip.
    switch (TabPosition()) {
    case tpTop: r.bottom += 2; break;
    case tpBottom: r.top -= 2; break;
    case tpLeft: r.right += 2; break;
    case tpRight: r.left -= 2; break;
    }
    BitBlt(DC, r.left, r.top, RectWidth(r), RectHeight(r), BitmapDC(FCommonData->CacheBmp()), r.left, r.top, SRCCOPY);
    DrawCloseButtons(DC);
}

void TsPageControl::AC_WMPaint(TMessage& Message)
{
    Message.Result = 1;
    TWinControl* parent = Parent();
    if (!SkinActive() || !HandleAllocated() || ComponentState().Contains(csLoading) ||
        (parent != nullptr && parent->ComponentState().Contains(csDestroying)))
        return;
    TsCommonData* data = FCommonData.get();
    if (data->Updating()) {
        StoredVisiblePageCount = VisibleTabsCount();
        return;
    }
    std::optional<TWindowDCGuard> own;
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (dc == nullptr) {
        own.emplace(Handle());
        dc = own->DC();
    }
    TSavedDC saved(dc);
    const bool rebuild = data->BGChanged || data->HalfVisible ||
                         (parent != nullptr && QueryControlSkinCmd(parent, AC_QUERYHALFSHOWN) != 0);
    RECT clip{};
    GetClipBox(dc, &clip);
    data->HalfVisible = clip.right - clip.left != Width() || clip.bottom - clip.top != Height();

    TsSkinManager* manager = data->SkinManager();
    if (data->SkinSection() == L"PAGECONTROL" && TabPosition() != tpTop) {
        ChangedSkinSection = TabPosition() == tpBottom ? L"PAGECONTROLBOTTOM"
                             : TabPosition() == tpLeft ? L"PAGECONTROLLEFT"
                                                       : L"PAGECONTROLRIGHT";
        data->SkinIndex = manager != nullptr ? manager->GetSkinIndex(ChangedSkinSection) : -1;
    } else {
        ChangedSkinSection = data->SkinSection();
    }
    const TCacheInfo bg = data->GetParentCacheInfo();
    data->InitCacheBitmap();
    TBitmap* cache = data->CacheBmp();
    const bool hasTabs = Tabs()->Count() > 0;
    if (rebuild) {
        if (hasTabs) DrawSkinTabs(bg);
        const TRect body = PageRect();
        DrawSection(data->SkinIndex, ChangedSkinSection, bg, -1, -1, Skin(), cache, TPoint{body.left, body.top}, body, 0);
        data->BGChanged = false;
    }

    TTabSheet* active = TPageControl::ActivePage();
    const bool activeTab = hasTabs && active != nullptr && active->TabIndex() >= 0;
    {
        TSavedDC beforeTab(dc);
        if (activeTab) {
            const TRect a = SkinTabRect(active->TabIndex(), true);
            ExcludeClipRect(dc, a.left, a.top, a.right, a.bottom);
        }
        {
            TSavedDC buttons(dc);
            if (FShowCloseBtns && BtnIndex >= 0)
                for (TTabSheet* sheet : FPages) {
                    if (sheet == active || !HasCloseBtn(dynamic_cast<TsTabSheet*>(sheet))) continue;
                    const TRect b = CloseBtnOf(SkinTabRect(sheet->TabIndex(), false));
                    ExcludeClipRect(dc, b.left, b.top, b.right, b.bottom);
                }
            const TRect all{0, 0, Width(), Height()};
            CopyCacheToDC(this, data, all, 0, 0, true, dc, all);
        }
        DrawCloseButtons(dc);
        DrawGraphicChildren(dc, this, TPoint{0, 0}, true);
    }
    if (activeTab) {
        DrawSkinTab(active->PageIndex(), tsActive, dc);
        if (active->BorderWidth() > 0 && active->HandleAllocated()) SendMessageW(active->Handle(), WM_NCPAINT, 1, 0);
    }
    StoredVisiblePageCount = VisibleTabsCount();
}

// ---- Close buttons ----------------------------------------------------------------------------

void TsPageControl::DrawCloseBtn(HDC DC, const TRect& TabRect, int State, const TCacheInfo& BG)
{
    const TsSkin* skin = Skin();
    if (BtnIndex < 0 || skin == nullptr || DC == nullptr || BtnWidth <= 0 || BtnHeight <= 0) return;
    auto btn = MakeBitmap32(BtnWidth, BtnHeight);
    const TRect whole{0, 0, BtnWidth, BtnHeight};
    if (BG.Bmp != nullptr) CopyPixelBlock(btn.get(), whole, BG.Bmp, BG.X + RectWidth(TabRect) - BtnWidth - 1, BG.Y + 1);
    const TRect place = CloseBtnOf(TabRect);
    if (FCloseBtnSkin.empty()) {
        if (const TsMaskData* mask = SkinMask(skin, BtnIndex))
            DrawMaskImage(btn.get(), TPoint{0, 0}, State, MakeCacheInfo(btn.get(), 0, 0), *mask, 1, skin);
    } else {
        DrawSection(BtnIndex, FCloseBtnSkin, MakeCacheInfo(btn.get(), 0, 0), -1, -1, skin, btn.get(), TPoint{0, 0}, whole,
                    State);
        HDC dc = BitmapDC(btn.get());
        TSavedDC saved(dc);
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(Font()->Handle()), sizeof(lf), &lf);
        lf.lfWeight = FW_BOLD;
        lf.lfEscapement = lf.lfOrientation = 0;
        HFONT bold = CreateFontIndirectW(&lf);
        TSelectedObject font(dc, bold);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 0, 0));
        SIZE extent{0, 0};
        GetTextExtentPoint32W(dc, L"X", 1, &extent);
        const int shift = State == tsActive ? 1 : 0;
        TextOutW(dc, (15 - extent.cx) / 2 + shift, (15 - extent.cy) / 2 + shift, L"X", 1);
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(bold);
    }
    BitBlt(DC, place.left, place.top, BtnWidth, BtnHeight, BitmapDC(btn.get()), 0, 0, SRCCOPY);
}

void TsPageControl::DrawCloseButtons(HDC DC)
{
    if (!FShowCloseBtns || BtnIndex < 0) return;
    TTabSheet* active = TPageControl::ActivePage();
    TBitmap* cache = FCommonData->CacheBmp();
    int count = 0;
    for (TTabSheet* sheet : FPages) {
        if (!sheet->TabVisible()) continue;
        auto* page = dynamic_cast<TsTabSheet*>(sheet);
        if (page != nullptr && page->UseCloseBtn()) {
            const TRect r = SkinTabRect(count, sheet == active);
            DrawCloseBtn(DC, r, sheet == active ? tsActive : tsNormal, MakeCacheInfo(cache, r.left, r.top));
        }
        ++count;
    }
}

void TsPageControl::RedrawCloseBtn(int PageIndex, int BtnState, int TabState)
{
    TsTabSheet* page = SheetOf(PageIndex);
    if (PageIndex < 0 || !FShowCloseBtns || !HasCloseBtn(page) || !HandleAllocated()) return;
    const TRect r = SkinTabRect(page->TabIndex(), page == TPageControl::ActivePage());
    if (IsEmpty(r)) return;
    TBitmap* cache = FCommonData->CacheBmp();
    auto bmp = MakeBitmap32(RectWidth(r), RectHeight(r));
    CopyPixelBlock(bmp.get(), TRect{0, 0, bmp->Width(), bmp->Height()}, cache, r.left, r.top);
    DrawSkinTab(PageIndex, TabState, TPoint{-r.left, -r.top}, bmp.get());
    if (TabState != tsActive)
        CopyPixelBlock(bmp.get(), TRect{0, bmp->Height() - 5, bmp->Width(), bmp->Height()}, cache, r.left, r.bottom - 5);
    TWindowDCGuard dc(Handle());
    DrawCloseBtn(dc.DC(), r, BtnState, MakeCacheInfo(bmp.get(), 0, 0));
}

// ---- Selection ----------------------------------------------------------------------------------

void TsPageControl::UpdateActivePage()
{
    CurItem = -1;
    TPageControl::UpdateActivePage();
    if (!SkinActive() || !HandleAllocated() || !ControlIsReady(this) || FCommonData->Updating()) return;
    TsSkinManager* manager = FCommonData->SkinManager();
    if (manager != nullptr && manager->AnimEffects()->PageChange()->Active() && LookChangeOutputWindow() != nullptr) return;
    RefreshAfterSelection();
}

void TsPageControl::RefreshAfterSelection()
{
    TTabSheet* active = TPageControl::ActivePage();
    if (VisibleTabsCount() != StoredVisiblePageCount) {
        Perform(WM_PAINT, 0, 0);
        if (active != nullptr) active->Repaint();
    } else if (active != nullptr) {
        FCommonData->BGChanged = true;
        TWindowDCGuard dc(Handle());
        RepaintTabsArea(dc.DC());
        DrawSkinTab(active->PageIndex(), tsActive, dc.DC());
    } else {
        FCommonData->Invalidate();
    }
}
