#pragma once
// Pictures that markup refers to. THTMLPicture keeps an image file's bytes and draws them through
// the system's OLE picture loader, showing one GIF frame at a time (the frame can be stepped for
// animation). THTMLPictureCache is the list of pictures the markup renderer has loaded by address
// and keeps between calls; TPictureContainer is a component of named pictures that markup finds
// by name. A picture that cannot be loaded stays empty: loading never raises.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/classes/Collection.h"
#include "framework/classes/Component.h"
#include "framework/classes/Streams.h"
#include "framework/classes/Thread.h"
#include "framework/graphics/Graphic.h"
#include "framework/system/List.h"

// Reads nothing: addresses other than "RES://" and "FILE://" are not fetched. It ends at once
// and frees itself.
class TDownLoadThread : public TThread {
public:
    TDownLoadThread() : TThread(false) { SetFreeOnTerminate(true); }

protected:
    void Execute() override {}
};

class THTMLPicture : public TGraphic {
public:
    THTMLPicture();
    ~THTMLPicture() override;

    // From null: no bytes; from another THTMLPicture: its Stretch, Frame, ID and bytes, then
    // loaded; anything else leaves the picture empty.
    void Assign(TPersistent* Source) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool Empty() const override { return FIsEmpty; }
    int Width() const override;
    int Height() const override;
    void SetWidth(int) override {}
    void SetHeight(int) override {}

    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    void LoadFromFile(const String& FileName) override;
    // The stored form is exactly the image file's bytes.
    void ReadData(TStream* Stream) { LoadFromStream(Stream); }
    void WriteData(TStream* Stream) { SaveToStream(Stream); }
    void LoadFromClipboardFormat(WORD, HANDLE, HPALETTE) {}
    void SaveToClipboardFormat(WORD&, HANDLE&, HPALETTE&) {}
    // An RCDATA resource of Instance (by name only when it exists).
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);
    // "RES://name" loads the program's RCDATA resource, "FILE://path" the file; both set ID to
    // the whole address. Other addresses are remembered but not fetched.
    void LoadFromURL(const String& URL);

    bool Stretch() const { return FStretched; }
    void SetStretch(bool Value) { FStretched = Value; }
    int Frame() const { return FFrame; }
    // Selects frame Value (1-based; ignored outside the GIF's frames) and shows it.
    void SetFrame(int Value);
    // -1 when the bytes are not a GIF.
    int FrameCount();
    void FrameNext();
    void FramePrev();
    // One animation tick (GIF delays are in hundredths, a tick is taken as ten of them); true
    // when the frame changed.
    bool Step();

    bool IsGIF() const;
    bool Busy() const { return FBusy; }
    int MaxWidth();
    int MaxHeight();
    int FrameXPos() const { return FFrameXPos; }
    int FrameYPos() const { return FFrameYPos; }
    int FrameWidth() const { return FFrameWidth; }
    int FrameHeight() const { return FFrameHeight; }
    bool FrameTransparent() const { return FFrameTransp; }
    int FrameDisposal() const { return FFrameDisposal; }
    const String& URL() const { return FURL; }
    const std::vector<std::uint8_t>& Bytes() const { return FDatastream; }

    String ID;
    bool IsDB = false;
    bool Asynch = true;

    TNotifyEvent OnFrameChange;
    TNotifyEvent OnDownLoadProgress;
    TNotifyEvent OnDownLoadCancel;
    TNotifyEvent OnDownLoadComplete;
    TNotifyEvent OnDownLoadError;

private:
    void ResetFrames();
    // Makes the OLE picture of the selected frame; raises Exception with the loader's failure.
    void LoadPicture();
    // LoadPicture, with a failure leaving the picture empty. True when it loaded.
    bool TryLoadPicture();
    void TakeBytes(std::vector<std::uint8_t> Bytes);
    std::vector<size_t> FrameStarts() const;
    int FrameDelay(int Frame) const;

    std::vector<std::uint8_t> FDatastream;
    bool FIsEmpty = true;
    bool FStretched = false;
    IPicture* FPicture = nullptr;
    int FLogPixX = 96;
    int FLogPixY = 96;
    String FURL;
    bool FBusy = false;
    int FFrame = 1;
    int FFrameCount = -1;
    int FFrameXPos = 0, FFrameYPos = 0, FFrameWidth = 0, FFrameHeight = 0;
    bool FFrameTransp = false;
    int FFrameDisposal = 0;
    int FGIFWidth = 0, FGIFHeight = 0;
    int FNextCount = -1;
    int FTimerCount = -1;
};

// The pictures the markup renderer loaded by address; it owns them.
class THTMLPictureCache : public TList {
public:
    ~THTMLPictureCache() override { Clear(); }

    THTMLPicture* Items(int Index) const { return static_cast<THTMLPicture*>(TList::Items(Index)); }
    // Takes ownership of Picture.
    void Add(THTMLPicture* Picture) { TList::Add(Picture); }
    // A new picture at the end.
    THTMLPicture* AddPicture();
    // The first picture whose ID is exactly Value, or null.
    THTMLPicture* FindPicture(const String& Value) const;
    void ClearPictures() { Clear(); }
    // Steps every picture; true when any frame changed.
    bool Animate();

protected:
    void Notify(void* Ptr, TListNotification Action) override;
};

class TPictureItem : public TCollectionItem {
public:
    explicit TPictureItem(TCollection* Collection);
    ~TPictureItem() override;

    void Assign(TPersistent* Source) override;
    THTMLPicture* Picture() const { return FPicture.get(); }
    void SetPicture(THTMLPicture* Value) { FPicture->Assign(Value); }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

private:
    std::unique_ptr<THTMLPicture> FPicture;
    String FName;
    int FTag = 0;
};

class TPictureCollection : public TCollection {
public:
    explicit TPictureCollection(TComponent* AOwner);

    TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
    TPictureItem* Insert(int Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
    TPictureItem* Items(int Index) const { return static_cast<TPictureItem*>(TCollection::Items(Index)); }
    void SetItems(int Index, TPictureItem* Value) { TCollection::SetItems(Index, Value); }
    TPersistent* GetOwner() override { return FOwner; }
    // Steps every item's picture.
    void Animate();

private:
    TComponent* FOwner;
};

class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* AOwner);
    ~TPictureContainer() override;

    TPictureCollection* Items() const { return FItems.get(); }
    // Copies Value's items: the container keeps its own collection, the caller keeps Value.
    void SetItems(TPictureCollection* Value);
    String Version() const { return L"1.0.0.0"; }
    void SetVersion(const String&) {}

    // The picture of the first item whose Name matches, ignoring case; null when none does.
    virtual THTMLPicture* FindPicture(const String& Name);

private:
    std::unique_ptr<TPictureCollection> FItems;
};
