#pragma once
// Fonts, pens and brushes: value-like descriptions of GDI objects. The GDI handle behind each is
// created on first use and shared with every other object of equal settings (a process-wide
// cache keyed by value); it is freed when the last object using it lets go. A canvas that has a
// handle selected holds its own reference, so a handle is never deleted while selected.
#include <cstdint>
#include <memory>

#include "framework/classes/Component.h"
#include "framework/classes/Persistent.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsBase.h"

class TBitmap;

// One shared GDI handle; opaque outside the graphics layer.
class TGdiResource;
using TGdiResourceRef = std::shared_ptr<TGdiResource>;

class TGraphicsObject : public TPersistent {
public:
    // Fired once for every change that alters the object's settings.
    TNotifyEvent OnChange;

    // The shared resource, with its handle created. Canvases keep it while it is selected.
    TGdiResourceRef ResourceRef() const;
    // The same resource without a copy of the reference, its handle not necessarily created yet:
    // for telling objects apart, and for holding one without drawing with it.
    const TGdiResourceRef& Resource() const { return FResource; }
    bool HandleAllocated() const;

protected:
    virtual void Changed();
    // Replaces the resource; fires OnChange when the settings differ (or Force).
    void SetResource(TGdiResourceRef Resource, bool Force = false);

private:
    TGdiResourceRef FResource;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

using TFontStyles = TEnumSet<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TFontQuality {
    fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural
};
using TFontCharset = std::uint8_t;

// Everything that goes into the font's handle (Color does not).
struct TFontData {
    String Name = L"Tahoma";
    int Height = 0;
    int Orientation = 0; // tenths of a degree, counter-clockwise
    TFontStyles Style;
    TFontCharset Charset = DEFAULT_CHARSET;
    TFontPitch Pitch = fpDefault;
    TFontQuality Quality = fqDefault;
    bool operator==(const TFontData&) const = default;
};

class TFont : public TGraphicsObject {
public:
    TFont();
    void Assign(TPersistent* Source) override;

    // The HFONT for the current settings (created on demand, shared, owned by the font layer).
    HFONT Handle() const;
    // Takes over a font handle: the settings are read back from it and the font owns it.
    void SetHandle(HFONT Value);

    String Name() const;
    void SetName(const String& Value);
    // Points; Height is -MulDiv(Size, PixelsPerInch, 72).
    int Size() const;
    void SetSize(int Value);
    // Pixels; negative is the character height, positive the cell height.
    int Height() const;
    void SetHeight(int Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontStyles Style() const;
    void SetStyle(TFontStyles Value);
    TFontCharset Charset() const;
    void SetCharset(TFontCharset Value);
    TFontPitch Pitch() const;
    void SetPitch(TFontPitch Value);
    TFontQuality Quality() const;
    void SetQuality(TFontQuality Value);
    // Rotation of the text in tenths of a degree.
    int Orientation() const;
    void SetOrientation(int Value);
    // The resolution Size is measured at; changing it keeps Height.
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }

    TFontData Data() const;
    void SetData(const TFontData& Value);

private:
    TColor FColor = clWindowText;
    int FPixelsPerInch;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TGraphicsObject {
public:
    TPen();
    void Assign(TPersistent* Source) override;

    HPEN Handle() const;
    void SetHandle(HPEN Value);

    TColor Color() const;
    void SetColor(TColor Value);
    int Width() const;
    void SetWidth(int Value);
    TPenStyle Style() const;
    void SetStyle(TPenStyle Value);
    // The raster operation the canvas draws with (SetROP2); not part of the handle.
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);

private:
    void SetData(TColor Color, int Width, TPenStyle Style);
    TPenMode FMode = pmCopy;
};

enum TBrushStyle {
    bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

class TBrush : public TGraphicsObject {
public:
    TBrush();
    void Assign(TPersistent* Source) override;

    HBRUSH Handle() const;
    void SetHandle(HBRUSH Value);

    // Setting a colour on a clear brush makes it solid again.
    TColor Color() const;
    void SetColor(TColor Value);
    TBrushStyle Style() const;
    void SetStyle(TBrushStyle Value);
    // Pattern bitmap (not owned; the pattern is copied when set, and again on every change of
    // the brush). When set, it overrides Color and Style.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);

private:
    void SetData(TColor Color, TBrushStyle Style, HBITMAP Pattern);
    HBITMAP PatternHandle() const;
    TBitmap* FBitmap = nullptr;
};

// Maps between the enums and their GDI constants.
int PenModeToRop2(TPenMode Mode);
