#pragma once
// Unit acAlphaImageList: an image list that keeps, for every image, the bytes of the PNG or ICO
// file it came from and builds the system image list from them, so that every image keeps its
// full 8-bit alpha and can be blended over any background. The skinned controls draw their
// glyphs from it; the drawing procedures here serve any image list, taking alpha from this one
// and plain images from others.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/classes/Collection.h"
#include "framework/classes/Streams.h"
#include "framework/graphics/ImageList.h"

enum TsImageFormat { ifPNG, ifICO };

class TsImgListItems;
class TsAlphaImageList;

// One image: its source file's bytes and what they are.
class TsImgListItem : public TCollectionItem {
public:
    explicit TsImgListItem(TCollection* ACollection);
    // Copies format, pixel format and bytes of another item; anything else goes to the base.
    void Assign(TPersistent* Source) override;

    TsImageFormat ImageFormat() const { return FImageFormat; }
    void SetImageFormat(TsImageFormat Value) { FImageFormat = Value; }
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value) { FPixelFormat = Value; }
    // The exact bytes of the source PNG or ICO file.
    TMemoryStream* ImgData() const { return FImgData.get(); }

private:
    TsImageFormat FImageFormat = ifPNG;
    TPixelFormat FPixelFormat = pf32bit;
    std::unique_ptr<TMemoryStream> FImgData;
};

class TsImgListItems : public TCollection {
public:
    explicit TsImgListItems(TsAlphaImageList* AOwner);
    TsImgListItem* Items(int Index) const { return static_cast<TsImgListItem*>(TCollection::Items(Index)); }
    TsImgListItem* Add() { return static_cast<TsImgListItem*>(TCollection::Add()); }
    TPersistent* GetOwner() override;

private:
    TsAlphaImageList* FOwner;
};

class TsAlphaImageList : public TImageList {
public:
    explicit TsAlphaImageList(TComponent* AOwner);
    ~TsAlphaImageList() override;

    TsImgListItems* Items() const { return FItems.get(); }
    void SetItems(TsImgListItems* Value) { FItems->Assign(Value); }

    // The system list was built from the items.
    bool StdListIsGenerated = false;
    // An internal rebuild or update runs: change notifications are ignored.
    bool AcChanging = false;
    // The file bytes are kept once the system list was built.
    bool DoubleData = true;

    void Loaded() override;
    // Builds the system list from the items again.
    void GenerateStdList();
    // Image Index as 32-bit pixels with alpha in Image (a PNG item is resampled to Image's size
    // when its own differs); false without handle, bitmap or such an image.
    bool GetBitmap32(int Index, TBitmap* Image);
    // Adds the image of a PNG or ICO file; refuses anything else with an error box.
    void LoadFromFile(const String& FileName);
    // The same without the box: true when the system list took the image.
    bool AddImageFromFile(const String& FileName);
    // Takes the icon size of a system image list.
    void SetNewDimensions(HIMAGELIST Value);
    void AcBeginUpdate() { AcChanging = true; }
    void AcEndUpdate(bool DoChange);
    // The images of Source: its items when this list keeps data, else its system images.
    void CopyImages(TsAlphaImageList* Source);
    void Assign(TPersistent* Source) override;

protected:
    void Change() override;
    void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) override;

private:
    bool KeepsData() const;
    // Gives every image of the system list that has no alpha at all alpha 255 outside the key.
    void FixImagesAlpha();
    void PassChangeOn() { TImageList::Change(); }

    std::unique_ptr<TsImgListItems> FItems;
};

// Draws frame State (of StateCount side by side; a state past the last is the last) of image
// Index at (X, Y) of the 32-bit Bmp; an alpha list blends with its alpha, Transparency percent
// more and the tint; Size receives the frame's size.
void DrawListImage(TCustomImageList* List, TBitmap* Bmp, int X, int Y, int Index, int Transparency, TColor TintColor,
                   int State, int StateCount, bool Reflected, TSize& Size);
// The same onto a DC, over the DC's own pixels.
void DrawListImageToDC(TCustomImageList* List, HDC DC, int X, int Y, int Index, int Transparency, TColor TintColor,
                       int State, int StateCount, bool Reflected);
// PNG by its signature; ICO by its first two zero bytes and the extension "ico".
bool DetectImageFormat(const String& FileName, TsImageFormat& Format);
// The file holds more than Count (at most 8) bytes and starts with Bytes.
bool FileStartsWith(const String& FileName, const std::uint8_t* Bytes, int Count);
int ScreenBitsPerPixel();
// Registers the list and its items with the form reader (once).
void RegisterAlphaImageListClasses();
