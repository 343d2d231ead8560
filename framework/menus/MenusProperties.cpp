// The published properties of the menu classes for the form reader (items nest inside menus and
// items).
#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "framework/menus/Menus.h"

void RegisterMenuClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterControlsClasses();
    RegisterEnumType(L"TMenuBreak", {L"mbNone", L"mbBreak", L"mbBarBreak"});
    RegisterEnumType(L"TPopupAlignment", {L"paLeft", L"paRight", L"paCenter"});
    RegisterEnumType(L"TTrackButton", {L"tbRightButton", L"tbLeftButton"});
    RegisterEnumType(L"TMenuAnimations", {L"maLeftToRight", L"maRightToLeft", L"maTopToBottom", L"maBottomToTop", L"maNone"});

    RegisterPublishedClass<TMenuItem>(L"TMenuItem", L"TComponent")
        .Text(L"Caption", [](TMenuItem* i, const String& v) { i->SetCaption(v); })
        .Boolean(L"AutoCheck", [](TMenuItem* i, bool v) { i->SetAutoCheck(v); })
        .Enum<TMenuBreak>(L"Break", L"TMenuBreak", [](TMenuItem* i, TMenuBreak v) { i->SetBreak(v); }, L"mbNone")
        .Boolean(L"Checked", [](TMenuItem* i, bool v) { i->SetChecked(v); })
        .Boolean(L"Default", [](TMenuItem* i, bool v) { i->SetDefault(v); })
        .Boolean(L"Enabled", [](TMenuItem* i, bool v) { i->SetEnabled(v); }, L"True")
        .Integer(L"GroupIndex", [](TMenuItem* i, int64_t v) { i->SetGroupIndex(static_cast<int>(v)); })
        .Text(L"Hint", [](TMenuItem* i, const String& v) { i->SetHint(v); })
        .Integer(L"ImageIndex", [](TMenuItem* i, int64_t v) { i->SetImageIndex(static_cast<int>(v)); }, L"-1")
        .Boolean(L"RadioItem", [](TMenuItem* i, bool v) { i->SetRadioItem(v); })
        .Integer(L"ShortCut", [](TMenuItem* i, int64_t v) { i->SetShortCut(static_cast<TShortCut>(v)); })
        .Boolean(L"Visible", [](TMenuItem* i, bool v) { i->SetVisible(v); }, L"True")
        .Object(L"Bitmap", L"TBitmap", [](TMenuItem* i) { return i->Bitmap(); })
        .Component<TCustomImageList>(L"SubMenuImages", L"TCustomImageList",
                                     [](TMenuItem* i, TCustomImageList* v) { i->SetSubMenuImages(v); })
        .Event<TNotifyEvent>(L"OnClick", [](TMenuItem* i) -> TNotifyEvent& { return i->OnClick; })
        .Event<TMenuDrawItemEvent>(L"OnDrawItem", [](TMenuItem* i) -> TMenuDrawItemEvent& { return i->OnDrawItem; })
        .Event<TAdvancedMenuDrawItemEvent>(L"OnAdvancedDrawItem",
                                           [](TMenuItem* i) -> TAdvancedMenuDrawItemEvent& { return i->OnAdvancedDrawItem; })
        .Event<TMenuMeasureItemEvent>(L"OnMeasureItem", [](TMenuItem* i) -> TMenuMeasureItemEvent& { return i->OnMeasureItem; })
        .ParentSetter([](TMenuItem* Item, TComponent* Parent) {
            if (auto* menu = dynamic_cast<TMenu*>(Parent))
                menu->Items()->Add(Item);
            else if (auto* item = dynamic_cast<TMenuItem*>(Parent))
                item->Add(Item);
            else
                throw EConvertError(L"A menu item belongs in a menu or a menu item, not in a " + Parent->ClassName());
        });

    RegisterPublishedClass<TMenu>(L"TMenu", L"TComponent")
        .Component<TCustomImageList>(L"Images", L"TCustomImageList", [](TMenu* m, TCustomImageList* v) { m->SetImages(v); })
        .Boolean(L"OwnerDraw", [](TMenu* m, bool v) { m->SetOwnerDraw(v); })
        .Event<TMenuChangeEvent>(L"OnChange", [](TMenu* m) -> TMenuChangeEvent& { return m->OnChange; });
    RegisterPublishedClass<TMainMenu>(L"TMainMenu", L"TMenu")
        .Boolean(L"AutoMerge", [](TMainMenu* m, bool v) { m->SetAutoMerge(v); });
    RegisterPublishedClass<TPopupMenu>(L"TPopupMenu", L"TMenu")
        .Enum<TPopupAlignment>(L"Alignment", L"TPopupAlignment", [](TPopupMenu* m, TPopupAlignment v) { m->SetAlignment(v); }, L"paLeft")
        .Boolean(L"AutoPopup", [](TPopupMenu* m, bool v) { m->SetAutoPopup(v); }, L"True")
        .Enum<TTrackButton>(L"TrackButton", L"TTrackButton", [](TPopupMenu* m, TTrackButton v) { m->SetTrackButton(v); }, L"tbRightButton")
        .Set(L"MenuAnimation", L"TMenuAnimations",
             [](TPopupMenu* m, uint64_t bits) { m->SetMenuAnimation(TMenuAnimation::FromBits(bits)); })
        .Event<TNotifyEvent>(L"OnPopup", [](TPopupMenu* m) -> TNotifyEvent& { return m->OnPopup; })
        .Event<TNotifyEvent>(L"OnClose", [](TPopupMenu* m) -> TNotifyEvent& { return m->OnClose; });
}
