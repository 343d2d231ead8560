#pragma once
// Image lists: equally sized images kept in a real comctl32 image list (32-bit colour with a
// mask), drawn by index; a disabled image is drawn embossed in the 3-D shadow and highlight
// colours, as buttons and menus show disabled glyphs.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "framework/classes/Component.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TCustomImageList;

// A client's subscription to an image list's changes. It unregisters itself when freed; a list
// freed first leaves it with no sender.
class TChangeLink {
public:
    TChangeLink() = default;
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;
    virtual ~TChangeLink();

    TCustomImageList* Sender() const { return FSender; }
    // Runs OnChange with the list as sender.
    virtual void Change();

    TNotifyEvent OnChange;

private:
    friend class TCustomImageList;
    TCustomImageList* FSender = nullptr;
};

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    // An empty list of the given image size.
    TCustomImageList(int AWidth, int AHeight);
    ~TCustomImageList() override;

    void Assign(TPersistent* Source) override;

    // Image size (16 x 16 by default); changing it empties the list.
    int Width() const { return FWidth; }
    void SetWidth(int Value) { SetSize(Value, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { SetSize(FWidth, Value); }
    void SetSize(int AWidth, int AHeight);
    int Count() const;

    // Appends the images Image holds (its width split into Width-wide pieces), with Mask as
    // their mask (null: no transparency). Returns the index of the first, -1 on failure.
    int Add(TBitmap* Image, TBitmap* Mask);
    // Appends with every pixel of MaskColor transparent.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    int AddIcon(TIcon* Image);
    // Appends every image of Value.
    void AddImages(TCustomImageList* Value);
    void Replace(int Index, TBitmap* Image, TBitmap* Mask);
    void ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor);
    void ReplaceIcon(int Index, TIcon* Image);
    void Insert(int Index, TBitmap* Image, TBitmap* Mask);
    void Move(int CurIndex, int NewIndex);
    void Delete(int Index);
    void Clear();

    // Image Index (on its mask's transparent area: BkColor, or white with clNone) into Image,
    // which becomes a Width x Height pf32bit bitmap.
    void GetBitmap(int Index, TBitmap* Image);
    void GetIcon(int Index, TIcon* Image);

    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
              TImageType AImageType, bool Enabled = true);

    // Colour under the images when drawn (clNone: transparent).
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value);
    // Colour blended in for dsFocus and dsSelected (clNone: the highlight colour).
    TColor BlendColor() const { return FBlendColor; }
    void SetBlendColor(TColor Value) { FBlendColor = Value; }
    TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TDrawingStyle Value);
    TImageType ImageType() const { return FImageType; }
    void SetImageType(TImageType Value);
    // Whether the list keeps masks; changing it empties the list.
    bool Masked() const { return FMasked; }
    void SetMasked(bool Value);

    // The HIMAGELIST (created on demand). SetHandle takes one over (the list destroys it and
    // takes its image size).
    HIMAGELIST Handle();
    void SetHandle(HIMAGELIST Value);
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Gives the handle to the caller; the list is left empty.
    HIMAGELIST ReleaseHandle();

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    TNotifyEvent OnChange;

    // Every change of the list (images, size, handle, drawing settings) reaches the registered
    // links after OnChange. A link belongs to one list at a time.
    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);

protected:
    virtual void Change();
    virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled);

private:
    void CreateList();
    void FreeList();
    void CheckIndex(int Index) const;
    HBITMAP ImageHandle(TBitmap* Image);

    HIMAGELIST FHandle = nullptr;
    int FWidth = 16;
    int FHeight = 16;
    TColor FBkColor = clNone;
    TColor FBlendColor = clNone;
    TDrawingStyle FDrawingStyle = dsNormal;
    TImageType FImageType = itImage;
    bool FMasked = true;
    int FUpdateCount = 0;
    bool FChanged = false;
    std::vector<TChangeLink*> FClients;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};
