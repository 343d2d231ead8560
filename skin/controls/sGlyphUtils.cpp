#include "skin/controls/sGlyphUtils.h"

#include <memory>

#include "framework/classes/Streams.h"
#include "skin/controls/sCustomComboEdit.h"
#include "skin/core/acAlphaImageList.h"

namespace {

constexpr int StandardFrame = 16;
const wchar_t* const StandardGlyphNames[StandardGlyphCount] = {L"SF", L"SR", L"SD", L"SE", L"SC"};

// The PNG resource of that name into the list as one item; false when the program has none.
bool AddStandardGlyph(TsAlphaImageList* List, const wchar_t* Name)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, Name, MAKEINTRESOURCEW(10));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return false;
    TsImgListItem* item = List->Items()->Add();
    item->SetImageFormat(ifPNG);
    item->SetPixelFormat(pf32bit);
    item->ImgData()->WriteBuffer(bytes, static_cast<int>(SizeofResource(module, found)));
    return true;
}

} // namespace

TCustomImageList* StandardGlyphs()
{
    static const std::unique_ptr<TsAlphaImageList> list = [] {
        auto l = std::make_unique<TsAlphaImageList>(nullptr);
        l->SetSize(3 * StandardFrame, StandardFrame);
        for (const wchar_t* name : StandardGlyphNames) AddStandardGlyph(l.get(), name);
        l->GenerateStdList();
        return l;
    }();
    return list.get();
}

TsGlyphMode::TsGlyphMode(TWinControl* AOwner, TsSpeedButton* AButton) : Btn(AButton), FOwner(AOwner) {}

void TsGlyphMode::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    FImages = Value;
    Invalidate();
}

void TsGlyphMode::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Invalidate();
}

void TsGlyphMode::SetImageIndexHot(int Value)
{
    if (FImageIndexHot == Value) return;
    FImageIndexHot = Value;
    Invalidate();
}

void TsGlyphMode::SetImageIndexPressed(int Value)
{
    if (FImageIndexPressed == Value) return;
    FImageIndexPressed = Value;
    Invalidate();
}

bool TsGlyphMode::ButtonUsable() const
{
    if (Btn == nullptr) return false;
    const TComponentState state = Btn->ComponentState();
    return !state.Contains(csLoading) && !state.Contains(csDestroying);
}

int TsGlyphMode::Blend() const
{
    return ButtonUsable() ? Btn->Blend() : 0;
}

void TsGlyphMode::SetBlend(int Value)
{
    if (ButtonUsable()) Btn->SetBlend(Value);
}

bool TsGlyphMode::Grayed() const
{
    return ButtonUsable() && Btn->Grayed();
}

void TsGlyphMode::SetGrayed(bool Value)
{
    if (ButtonUsable()) Btn->SetGrayed(Value);
}

String TsGlyphMode::Hint() const
{
    auto* combo = dynamic_cast<TsCustomComboEdit*>(FOwner);
    if (combo != nullptr && combo->Button() != nullptr) return combo->Button()->Hint();
    return FOwner != nullptr ? FOwner->Hint() : String();
}

void TsGlyphMode::SetHint(const String& Value)
{
    auto* combo = dynamic_cast<TsCustomComboEdit*>(FOwner);
    if (combo != nullptr && combo->Button() != nullptr) combo->Button()->SetHint(Value);
}

bool TsGlyphMode::CustomImageUsable() const
{
    return FImages != nullptr && FImageIndex >= 0 && FImageIndex < FImages->Count();
}

TCustomImageList* TsGlyphMode::ShownList() const
{
    return CustomImageUsable() ? FImages : StandardGlyphs();
}

int TsGlyphMode::ImageCount() const
{
    TCustomImageList* list = ShownList();
    if (list->Height() <= 0) return 1;
    return list->Width() % list->Height() == 0 ? list->Width() / list->Height() : 1;
}

int TsGlyphMode::Width() const
{
    return ShownList()->Width() / ImageCount();
}

int TsGlyphMode::Height() const
{
    return ShownList()->Height();
}

void TsGlyphMode::Invalidate()
{
    auto* combo = dynamic_cast<TsCustomComboEdit*>(FOwner);
    if (combo == nullptr || Btn == nullptr) return;
    Btn->SetWidth(Width() + 2);
    Btn->SetNumGlyphs(ImageCount());
    Btn->Repaint();
}
