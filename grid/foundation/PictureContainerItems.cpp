// The picture cache of the markup renderer and the picture container with its named items.
#include "grid/foundation/PictureContainer.h"

#include "framework/system/StringUtils.h"

// ---- THTMLPictureCache -------------------------------------------------------------------------

THTMLPicture* THTMLPictureCache::AddPicture()
{
    auto* picture = new THTMLPicture();
    TList::Add(picture);
    return picture;
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& Value) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->ID == Value) return Items(i);
    return nullptr;
}

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Step()) changed = true;
    return changed;
}

void THTMLPictureCache::Notify(void* Ptr, TListNotification Action)
{
    if (Action == lnDeleted) delete static_cast<THTMLPicture*>(Ptr);
}

// ---- TPictureItem / TPictureCollection ---------------------------------------------------------

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), FPicture(std::make_unique<THTMLPicture>())
{
}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TPictureItem*>(Source);
    if (source == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    FName = source->FName;
    FTag = source->FTag;
    FPicture->Assign(source->FPicture.get());
}

TPictureCollection::TPictureCollection(TComponent* AOwner)
    : TCollection(ItemClassOf<TPictureItem>()), FOwner(AOwner)
{
}

void TPictureCollection::Animate()
{
    for (int i = 0; i < Count(); ++i)
        Items(i)->Picture()->Step();
}

// ---- TPictureContainer -------------------------------------------------------------------------

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this))
{
}

TPictureContainer::~TPictureContainer() = default;

void TPictureContainer::SetItems(TPictureCollection* Value)
{
    // The caller keeps its collection; taking it over would free it twice.
    if (Value == nullptr)
        FItems->Clear();
    else if (Value != FItems.get())
        FItems->Assign(Value);
}

THTMLPicture* TPictureContainer::FindPicture(const String& Name)
{
    String name = AnsiUpperCase(Name);
    for (int i = 0; i < FItems->Count(); ++i)
        if (AnsiUpperCase(FItems->Items(i)->Name()) == name) return FItems->Items(i)->Picture();
    return nullptr;
}
