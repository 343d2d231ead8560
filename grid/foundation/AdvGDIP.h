#pragma once
// AdvGDIP: the one way into GDI+. Each class owns one native GDI+ object, made in its constructor
// and released in its destructor, and forwards to the flat API. Nothing here raises: every call's
// status is returned and the last failure kept in the object. GDI+ itself is started when the
// program starts and shut down when it ends (AdvGDIPInitialization / AdvGDIPFinalization, run by
// the unit on its own). Framework colours and fonts are converted here, never passed raw.
#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsBase.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/system/SystemTypes.h"

using ARGB = DWORD;

enum Status {
    Ok, GenericError, InvalidParameter, OutOfMemory, ObjectBusy, InsufficientBuffer, NotImplemented,
    Win32Error, WrongState, Aborted, FileNotFound, ValueOverflow, AccessDenied, UnknownImageFormat,
    FontFamilyNotFound, FontStyleNotFound, NotTrueTypeFont, UnsupportedGdiplusVersion,
    GdiplusNotInitialized, PropertyNotFound, PropertyNotSupported
};

enum FillMode { FillModeAlternate, FillModeWinding };
enum Unit_ { UnitWorld, UnitDisplay, UnitPixel, UnitPoint, UnitInch, UnitDocument, UnitMillimeter };
enum HatchStyle {
    HatchStyleHorizontal, HatchStyleVertical, HatchStyleForwardDiagonal, HatchStyleBackwardDiagonal,
    HatchStyleCross, HatchStyleDiagonalCross, HatchStyle05Percent, HatchStyle10Percent,
    HatchStyle20Percent, HatchStyle25Percent, HatchStyle30Percent, HatchStyle40Percent,
    HatchStyle50Percent, HatchStyle60Percent, HatchStyle70Percent, HatchStyle75Percent,
    HatchStyle80Percent, HatchStyle90Percent, HatchStyleLightDownwardDiagonal,
    HatchStyleLightUpwardDiagonal, HatchStyleDarkDownwardDiagonal, HatchStyleDarkUpwardDiagonal,
    HatchStyleWideDownwardDiagonal, HatchStyleWideUpwardDiagonal, HatchStyleLightVertical,
    HatchStyleLightHorizontal, HatchStyleNarrowVertical, HatchStyleNarrowHorizontal,
    HatchStyleDarkVertical, HatchStyleDarkHorizontal, HatchStyleDashedDownwardDiagonal,
    HatchStyleDashedUpwardDiagonal, HatchStyleDashedHorizontal, HatchStyleDashedVertical,
    HatchStyleSmallConfetti, HatchStyleLargeConfetti, HatchStyleZigZag, HatchStyleWave,
    HatchStyleDiagonalBrick, HatchStyleHorizontalBrick, HatchStyleWeave, HatchStylePlaid,
    HatchStyleDivot, HatchStyleDottedGrid, HatchStyleDottedDiamond, HatchStyleShingle,
    HatchStyleTrellis, HatchStyleSphere, HatchStyleSmallGrid, HatchStyleSmallCheckerBoard,
    HatchStyleLargeCheckerBoard, HatchStyleOutlinedDiamond, HatchStyleSolidDiamond, HatchStyleTotal,
    HatchStyleLargeGrid = HatchStyleCross, HatchStyleMin = HatchStyleHorizontal,
    HatchStyleMax = HatchStyleSolidDiamond
};
enum DashStyle { DashStyleSolid, DashStyleDash, DashStyleDot, DashStyleDashDot, DashStyleDashDotDot, DashStyleCustom };
enum WrapMode { WrapModeTile, WrapModeTileFlipX, WrapModeTileFlipY, WrapModeTileFlipXY, WrapModeClamp };
enum LinearGradientMode {
    LinearGradientModeHorizontal, LinearGradientModeVertical, LinearGradientModeForwardDiagonal,
    LinearGradientModeBackwardDiagonal
};
enum CombineMode {
    CombineModeReplace, CombineModeIntersect, CombineModeUnion, CombineModeXor, CombineModeExclude,
    CombineModeComplement
};
enum MatrixOrder { MatrixOrderPrepend, MatrixOrderAppend };
enum ColorMatrixFlags { ColorMatrixFlagsDefault, ColorMatrixFlagsSkipGrays, ColorMatrixFlagsAltGray };
enum ColorChannelFlags { ColorChannelFlagsC, ColorChannelFlagsM, ColorChannelFlagsY, ColorChannelFlagsK, ColorChannelFlagsLast };
enum TextRenderingHint {
    TextRenderingHintSystemDefault, TextRenderingHintSingleBitPerPixelGridFit,
    TextRenderingHintSingleBitPerPixel, TextRenderingHintAntiAliasGridFit, TextRenderingHintAntiAlias,
    TextRenderingHintClearTypeGridFit
};
enum StringAlignment { StringAlignmentNear, StringAlignmentCenter, StringAlignmentFar };
enum StringTrimming {
    StringTrimmingNone, StringTrimmingCharacter, StringTrimmingWord, StringTrimmingEllipsisCharacter,
    StringTrimmingEllipsisWord, StringTrimmingEllipsisPath
};
enum HotkeyPrefix { HotkeyPrefixNone, HotkeyPrefixShow, HotkeyPrefixHide };
enum FlushIntention { FlushIntentionFlush, FlushIntentionSync };
enum RotateFlipType {
    RotateNoneFlipNone, Rotate90FlipNone, Rotate180FlipNone, Rotate270FlipNone, RotateNoneFlipX,
    Rotate90FlipX, Rotate180FlipX, Rotate270FlipX,
    RotateNoneFlipY = Rotate180FlipX, Rotate90FlipY = Rotate270FlipX, Rotate180FlipY = RotateNoneFlipX,
    Rotate270FlipY = Rotate90FlipX, RotateNoneFlipXY = Rotate180FlipNone,
    Rotate90FlipXY = Rotate270FlipNone, Rotate180FlipXY = RotateNoneFlipNone,
    Rotate270FlipXY = Rotate90FlipNone
};
enum ColorAdjustType {
    ColorAdjustTypeDefault, ColorAdjustTypeBitmap, ColorAdjustTypeBrush, ColorAdjustTypePen,
    ColorAdjustTypeText, ColorAdjustTypeCount, ColorAdjustTypeAny
};
// The quality settings a graphics surface reports; -1 is GDI+'s "invalid".
enum SmoothingMode {
    SmoothingModeInvalid = -1, SmoothingModeDefault, SmoothingModeHighSpeed, SmoothingModeHighQuality,
    SmoothingModeNone, SmoothingModeAntiAlias
};
enum CompositingQuality {
    CompositingQualityInvalid = -1, CompositingQualityDefault, CompositingQualityHighSpeed,
    CompositingQualityHighQuality, CompositingQualityGammaCorrected, CompositingQualityAssumeLinear
};
enum PenType {
    PenTypeUnknown = -1, PenTypeSolidColor, PenTypeHatchFill, PenTypeTextureFill, PenTypePathGradient,
    PenTypeLinearGradient
};
enum LineCap {
    LineCapFlat = 0, LineCapSquare = 1, LineCapRound = 2, LineCapTriangle = 3, LineCapNoAnchor = 0x10,
    LineCapSquareAnchor = 0x11, LineCapRoundAnchor = 0x12, LineCapDiamondAnchor = 0x13,
    LineCapArrowAnchor = 0x14, LineCapCustom = 0xFF
};

enum TGPImageFormat {
    ifUndefined, ifMemoryBMP, ifBMP, ifEMF, ifWMF, ifJPEG, ifPNG, ifGIF, ifTIFF, ifEXIF, ifIcon
};

struct TGPPointF { float X, Y; };
struct TGPPoint { INT X, Y; };
struct TGPRectF { float X, Y, Width, Height; };
struct TGPRect { INT X, Y, Width, Height; };

struct TColorMatrix { float M[5][5]; };
struct TColorMap { ARGB OldColor, NewColor; };
struct TColorPalette { UINT Flags; UINT Count; ARGB Entries[1]; };
struct TEncoderParameter { GUID Guid; ULONG NumberOfValues; ULONG Type; void* Value; };
struct TEncoderParameters { UINT Count; TEncoderParameter Parameter[1]; };
using ImageAbort = BOOL(WINAPI*)(void* CallbackData);

// 32 bits per pixel with alpha, the format a new bitmap gets unless asked otherwise.
constexpr int GPPixelFormat32bppARGB = 0x26200A;

// The unit's start-up and shut-down. Shut-down leaves GDI+ running when this code sits in a
// library (it would be called from the loader's detach, where GDI+ must not be stopped).
void AdvGDIPInitialization();
void AdvGDIPFinalization();
void AdvGDIPFinalization(bool ModuleIsLibrary);
bool GdiplusStarted();

ARGB ColorToOpaqueARGB(TColor Color);
ARGB ComposeARGB(BYTE Alpha, BYTE Red, BYTE Green, BYTE Blue);
ARGB ComposeOpaqueARGB(BYTE Red, BYTE Green, BYTE Blue);
BYTE ARGBRed(ARGB Color);
BYTE ARGBGreen(ARGB Color);
BYTE ARGBBlue(ARGB Color);
TGPRectF MakeGPRectF(float X, float Y, float Width, float Height);
TGPPoint MakeGPPoint(INT X, INT Y);

// Instances live in GDI+'s own heap (GdipAlloc / GdipFree).
class TGdiplusBase : public TObject {
public:
    static void* operator new(std::size_t Size);
    static void operator delete(void* Instance) noexcept;
};

class TGPMatrix : public TGdiplusBase {
public:
    TGPMatrix();
    TGPMatrix(float M11, float M12, float M21, float M22, float Dx, float Dy);
    TGPMatrix(const TGPRectF& Rect, const TGPPointF* DstPlg);
    TGPMatrix(const TGPRect& Rect, const TGPPoint* DstPlg);
    ~TGPMatrix() override;

    // Null when the status field holds a failure after cloning (an earlier one counts too).
    TGPMatrix* Clone();
    Status GetElements(float* M);
    Status SetElements(float M11, float M12, float M21, float M22, float Dx, float Dy);
    float OffsetX();
    float OffsetY();
    Status Reset();
    Status Multiply(TGPMatrix* Matrix, MatrixOrder Order = MatrixOrderPrepend);
    Status Translate(float OffsetX, float OffsetY, MatrixOrder Order = MatrixOrderPrepend);
    Status Scale(float ScaleX, float ScaleY, MatrixOrder Order = MatrixOrderPrepend);
    Status Rotate(float Angle, MatrixOrder Order = MatrixOrderPrepend);
    Status RotateAt(float Angle, const TGPPointF& Center, MatrixOrder Order = MatrixOrderPrepend);
    Status Shear(float ShearX, float ShearY, MatrixOrder Order = MatrixOrderPrepend);
    Status Invert();
    Status TransformPoints(TGPPointF* Pts, int Count = 1);
    Status TransformPoints(TGPPoint* Pts, int Count = 1);
    Status TransformVectors(TGPPointF* Pts, int Count = 1);
    Status TransformVectors(TGPPoint* Pts, int Count = 1);
    bool IsInvertible();
    bool IsIdentity();
    Status GetLastStatus();

    void* NativeHandle() const { return nativeMatrix; }

protected:
    TGPMatrix(void* NativeMatrix) : nativeMatrix(NativeMatrix) {}
    Status SetStatus(Status Value);
    void* nativeMatrix = nullptr;
    Status lastResult = Ok;
};

class TGPStringFormat : public TGdiplusBase {
public:
    explicit TGPStringFormat(int FormatFlags = 0, LANGID Language = LANG_NEUTRAL);
    explicit TGPStringFormat(TGPStringFormat* Format);
    ~TGPStringFormat() override;

    Status SetAlignment(StringAlignment Align);
    StringAlignment GetAlignment();
    Status SetLineAlignment(StringAlignment Align);
    StringAlignment GetLineAlignment();
    Status SetFormatFlags(int Flags);
    int GetFormatFlags();
    Status SetTrimming(StringTrimming Trimming);
    StringTrimming GetTrimming();
    Status SetHotkeyPrefix(HotkeyPrefix Prefix);
    HotkeyPrefix GetHotkeyPrefix();

    void* NativeHandle() const { return nativeFormat; }

protected:
    Status SetStatus(Status Value);
    void* nativeFormat = nullptr;
    Status lastError = Ok;
};

class TGPBrush;

class TGPPen : public TGdiplusBase {
public:
    explicit TGPPen(ARGB Color, float Width = 1.0f);
    explicit TGPPen(TGPBrush* Brush, float Width = 1.0f);
    ~TGPPen() override;

    PenType GetPenType();
    // A new brush object of the pen's fill kind; the caller frees it. Null for an unknown kind.
    TGPBrush* GetBrush();
    Status SetBrush(TGPBrush* Brush);
    DashStyle GetDashStyle();
    Status SetDashStyle(DashStyle Style);
    Status SetEndCap(LineCap EndCap);

    void* NativeHandle() const { return nativePen; }

protected:
    Status SetStatus(Status Value);
    void* nativePen = nullptr;
    Status lastResult = Ok;
};

class TGPBrush : public TGdiplusBase {
public:
    // No native brush: the status says NotImplemented.
    TGPBrush();
    ~TGPBrush() override;

    void* NativeHandle() const { return nativeBrush; }

protected:
    friend class TGPPen;
    TGPBrush(void* NativeBrush, Status Value) : nativeBrush(NativeBrush), lastResult(Value) {}
    Status SetStatus(Status Value);
    void* nativeBrush = nullptr;
    Status lastResult = Ok;
};

class TGPSolidBrush : public TGPBrush {
public:
    explicit TGPSolidBrush(ARGB Color);
    TGPSolidBrush() : TGPBrush(nullptr, Ok) {}
};

class TGPHatchBrush : public TGPBrush {
public:
    TGPHatchBrush(HatchStyle Style, ARGB ForeColor, ARGB BackColor = 0xFF000000);
    TGPHatchBrush() : TGPBrush(nullptr, Ok) {}
    HatchStyle GetHatchStyle();
    Status GetForegroundColor(ARGB& Color);
    Status GetBackgroundColor(ARGB& Color);
};

class TGPImage;
class TGPImageAttributes;

class TGPTextureBrush : public TGPBrush {
public:
    explicit TGPTextureBrush(TGPImage* Image, WrapMode Mode = WrapModeTile);
    TGPTextureBrush(TGPImage* Image, WrapMode Mode, const TGPRectF& DstRect);
    TGPTextureBrush(TGPImage* Image, WrapMode Mode, const TGPRect& DstRect);
    TGPTextureBrush(TGPImage* Image, WrapMode Mode, float DstX, float DstY, float DstWidth, float DstHeight);
    TGPTextureBrush(TGPImage* Image, const TGPRectF& DstRect, TGPImageAttributes* Attributes);
    TGPTextureBrush(TGPImage* Image, const TGPRect& DstRect, TGPImageAttributes* Attributes);
    TGPTextureBrush() : TGPBrush(nullptr, Ok) {}

    Status ResetTransform();
    Status TranslateTransform(float Dx, float Dy, MatrixOrder Order = MatrixOrderPrepend);
    Status ScaleTransform(float Sx, float Sy, MatrixOrder Order = MatrixOrderPrepend);
    Status RotateTransform(float Angle, MatrixOrder Order = MatrixOrderPrepend);
    Status SetWrapMode(WrapMode Mode);
    WrapMode GetWrapMode();
    // A new image object around the texture's image; the caller frees it.
    TGPImage* GetImage();
};

class TGPLinearGradientBrush : public TGPBrush {
public:
    TGPLinearGradientBrush(const TGPPointF& Point1, const TGPPointF& Point2, ARGB Color1, ARGB Color2);
    TGPLinearGradientBrush(const TGPPoint& Point1, const TGPPoint& Point2, ARGB Color1, ARGB Color2);
    TGPLinearGradientBrush(const TGPRectF& Rect, ARGB Color1, ARGB Color2, LinearGradientMode Mode);
    TGPLinearGradientBrush(const TGPRect& Rect, ARGB Color1, ARGB Color2, LinearGradientMode Mode);
    TGPLinearGradientBrush(const TGPRectF& Rect, ARGB Color1, ARGB Color2, float Angle, bool IsAngleScalable = false);
    TGPLinearGradientBrush(const TGPRect& Rect, ARGB Color1, ARGB Color2, float Angle, bool IsAngleScalable = false);
    // No native brush (NotImplemented), as the plain brush.
    TGPLinearGradientBrush() = default;

    Status SetGammaCorrection(bool UseGammaCorrection);
    Status SetInterpolationColors(const ARGB* PresetColors, const float* BlendPositions, int Count);
};

class TGPGraphicsPath;

class TGPPathGradientBrush : public TGPBrush {
public:
    explicit TGPPathGradientBrush(TGPGraphicsPath* Path);

    Status SetInterpolationColors(const ARGB* PresetColors, const float* BlendPositions, int Count);
    Status SetGammaCorrection(bool UseGammaCorrection);
    Status SetWrapMode(WrapMode Mode);
    Status GetCenterColor(ARGB& Color);
    Status SetCenterColor(ARGB Color);
    int GetPointCount();
    // Count in: room in Colors; out: the colours read.
    Status GetSurroundColors(ARGB* Colors, int& Count);
    // Count in: colours given; out: the colours GDI+ took.
    Status SetSurroundColors(const ARGB* Colors, int& Count);
    Status GetCenterPoint(TGPPointF& Point);
    Status GetCenterPoint(TGPPoint& Point);
    Status SetCenterPoint(const TGPPointF& Point);
    Status SetCenterPoint(const TGPPoint& Point);
};

class TGPRegion : public TGdiplusBase {
public:
    explicit TGPRegion(const TGPRectF& Rect);
    explicit TGPRegion(TGPGraphicsPath* Path);
    ~TGPRegion() override;

    Status Exclude(TGPGraphicsPath* Path);
    Status Union(TGPRegion* Region);

    void* NativeHandle() const { return nativeRegion; }

protected:
    Status SetStatus(Status Value);
    void* nativeRegion = nullptr;
    Status lastResult = Ok;
};

// Stands for the installed fonts wherever a collection is asked for.
class TGPFontCollection : public TGdiplusBase {
public:
    TGPFontCollection() = default;
    void* NativeHandle() const { return nativeFontCollection; }

protected:
    void* nativeFontCollection = nullptr;
    Status lastResult = Ok;
};

class TGPFontFamily : public TGdiplusBase {
public:
    explicit TGPFontFamily(const String& Name, TGPFontCollection* FontCollection = nullptr);
    ~TGPFontFamily() override;
    ::Status Status() const { return lastResult; }
    void* NativeHandle() const { return nativeFamily; }

protected:
    void* nativeFamily = nullptr;
    ::Status lastResult = Ok;
};

class TGPFont : public TGdiplusBase {
public:
    // Style: bold 1, italic 2, underline 4, strike-out 8.
    TGPFont(TGPFontFamily* Family, float EmSize, int Style = 0, Unit_ Unit = UnitPoint);
    ~TGPFont() override;
    ::Status Status() const { return lastResult; }
    void* NativeHandle() const { return nativeFont; }

protected:
    void* nativeFont = nullptr;
    ::Status lastResult = Ok;
};

class TGPGraphicsPath : public TGdiplusBase {
public:
    explicit TGPGraphicsPath(FillMode Mode = FillModeAlternate);
    ~TGPGraphicsPath() override;

    Status Reset();
    Status CloseFigure();
    Status AddLine(const TGPPointF& Pt1, const TGPPointF& Pt2);
    Status AddLine(float X1, float Y1, float X2, float Y2);
    Status AddLines(const TGPPoint* Points, int Count);
    Status AddRectangle(const TGPRectF& Rect);
    Status AddRectangle(const TGPRect& Rect);
    Status AddArc(const TGPRectF& Rect, float StartAngle, float SweepAngle);
    Status AddArc(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle);
    Status AddEllipse(const TGPRectF& Rect);
    Status AddEllipse(float X, float Y, float Width, float Height);
    Status AddPie(const TGPRectF& Rect, float StartAngle, float SweepAngle);
    Status AddPie(float X, float Y, float Width, float Height, float StartAngle, float SweepAngle);
    Status AddPolygon(const TGPPointF* Points, int Count);
    Status AddPolygon(const TGPPoint* Points, int Count);
    Status AddCurve(const TGPPointF* Points, int Count);
    Status AddCurve(const TGPPoint* Points, int Count);
    Status AddCurve(const TGPPoint* Points, int Count, float Tension);
    Status AddBezier(const TGPPoint& Pt1, const TGPPoint& Pt2, const TGPPoint& Pt3, const TGPPoint& Pt4);
    Status AddBezier(const TGPPointF& Pt1, const TGPPointF& Pt2, const TGPPointF& Pt3, const TGPPointF& Pt4);
    Status AddBezier(float X1, float Y1, float X2, float Y2, float X3, float Y3, float X4, float Y4);
    Status AddString(const String& Text, int Length, TGPFontFamily* Family, int Style, float EmSize,
                     const TGPRectF& LayoutRect, TGPStringFormat* Format);

    void* NativeHandle() const { return nativePath; }

protected:
    Status SetStatus(Status Value);
    void* nativePath = nullptr;
    Status lastResult = Ok;
};

class TGPImage : public TGdiplusBase {
public:
    explicit TGPImage(const String& FileName, bool UseEmbeddedColorManagement = false);
    explicit TGPImage(IStream* Stream, bool UseEmbeddedColorManagement = false);
    ~TGPImage() override;

    TGPImageFormat GetFormat();
    UINT Width();
    UINT Height();
    int GetPixelFormat();
    int GetPixelDepth();
    bool HasAlphaChannel();
    bool HasPalette();
    // A new image (the caller frees it) carrying the status of the call.
    TGPImage* GetThumbnailImage(UINT ThumbWidth, UINT ThumbHeight, ImageAbort Callback = nullptr,
                                void* CallbackData = nullptr);
    Status Save(const String& FileName, const CLSID& Encoder, const TEncoderParameters* Params = nullptr);
    Status Save(IStream* Stream, const CLSID& Encoder, const TEncoderParameters* Params = nullptr);
    Status SaveAdd(TGPImage* NewImage, const TEncoderParameters* Params);
    Status RotateFlip(RotateFlipType Type);

    void* NativeHandle() const { return nativeImage; }

protected:
    friend class TGPTextureBrush;
    TGPImage(void* NativeImage, Status Value) : nativeImage(NativeImage), lastResult(Value) {}
    Status SetStatus(Status Value);
    void* nativeImage = nullptr;
    Status lastResult = Ok;
};

class TGPBitmap : public TGPImage {
public:
    explicit TGPBitmap(IStream* Stream, bool UseEmbeddedColorManagement = false);
    TGPBitmap(int Width, int Height, int Format = GPPixelFormat32bppARGB);

    static TGPBitmap* FromStream(IStream* Stream, bool UseEmbeddedColorManagement = false);
    Status GetHBITMAP(ARGB Background, HBITMAP& Bitmap);
    Status GetPixel(int X, int Y, ARGB& Color);
    Status SetPixel(int X, int Y, ARGB Color);
};

class TGPImageAttributes : public TGdiplusBase {
public:
    TGPImageAttributes();
    ~TGPImageAttributes() override;

    // Always a new object (the caller frees it) carrying the status of the call.
    TGPImageAttributes* Clone();
    Status SetToIdentity(ColorAdjustType Type = ColorAdjustTypeDefault);
    Status Reset(ColorAdjustType Type = ColorAdjustTypeDefault);
    Status SetColorMatrix(const TColorMatrix& Matrix, ColorMatrixFlags Mode = ColorMatrixFlagsDefault,
                          ColorAdjustType Type = ColorAdjustTypeDefault);
    Status ClearColorMatrix(ColorAdjustType Type = ColorAdjustTypeDefault);
    Status SetColorMatrices(const TColorMatrix& ColorMatrix, const TColorMatrix& GrayMatrix,
                            ColorMatrixFlags Mode = ColorMatrixFlagsDefault, ColorAdjustType Type = ColorAdjustTypeDefault);
    Status ClearColorMatrices(ColorAdjustType Type = ColorAdjustTypeDefault);
    Status SetThreshold(float Threshold, ColorAdjustType Type = ColorAdjustTypeDefault);
    Status ClearThreshold(ColorAdjustType Type = ColorAdjustTypeDefault);
    Status SetGamma(float Gamma, ColorAdjustType Type = ColorAdjustTypeDefault);
    Status ClearGamma(ColorAdjustType Type = ColorAdjustTypeDefault);
    Status SetNoOp(ColorAdjustType Type = ColorAdjustTypeDefault);
    Status ClearNoOp(ColorAdjustType Type = ColorAdjustTypeDefault);
    Status SetColorKey(ARGB ColorLow, ARGB ColorHigh, ColorAdjustType Type = ColorAdjustTypeDefault);
    Status ClearColorKey(ColorAdjustType Type = ColorAdjustTypeDefault);
    Status SetOutputChannel(ColorChannelFlags Flags, ColorAdjustType Type = ColorAdjustTypeDefault);
    Status ClearOutputChannel(ColorAdjustType Type = ColorAdjustTypeDefault);
    Status SetOutputChannelColorProfile(const String& ColorProfileFileName, ColorAdjustType Type = ColorAdjustTypeDefault);
    Status ClearOutputChannelColorProfile(ColorAdjustType Type = ColorAdjustTypeDefault);
    Status SetRemapTable(int MapSize, const TColorMap* Map, ColorAdjustType Type = ColorAdjustTypeDefault);
    Status ClearRemapTable(ColorAdjustType Type = ColorAdjustTypeDefault);
    Status SetBrushRemapTable(int MapSize, const TColorMap* Map);
    Status ClearBrushRemapTable();
    Status SetWrapMode(WrapMode Wrap, ARGB Color = 0xFF000000, bool Clamp = false);
    Status GetAdjustedPalette(TColorPalette* Palette, ColorAdjustType Type);
    Status GetLastStatus();

    void* NativeHandle() const { return nativeImageAttr; }

protected:
    TGPImageAttributes(void* NativeImageAttr, Status Value) : nativeImageAttr(NativeImageAttr), lastResult(Value) {}
    Status SetStatus(Status Value);
    void* nativeImageAttr = nullptr;
    Status lastResult = Ok;
};

class TGPGraphics : public TGdiplusBase {
public:
    explicit TGPGraphics(HDC DC);
    // A nil image leaves no drawing surface.
    explicit TGPGraphics(TGPImage* Image);
    ~TGPGraphics() override;
    static TGPGraphics* FromImage(TGPImage* Image);

    void Flush(FlushIntention Intention = FlushIntentionFlush);
    Status Clear(ARGB Color);
    HDC GetHDC();
    void ReleaseHDC(HDC DC);
    Status SetTextRenderingHint(TextRenderingHint Mode);
    TextRenderingHint GetTextRenderingHint();
    Status SetSmoothingMode(SmoothingMode Mode);
    // -1 when the query fails.
    SmoothingMode GetSmoothingMode();
    Status SetCompositingQuality(CompositingQuality Quality);
    CompositingQuality GetCompositingQuality();
    Status SetTransform(TGPMatrix* Matrix);
    Status ResetTransform();
    Status SetClip(TGPRegion* Region, CombineMode Mode = CombineModeReplace);
    Status SetClip(TGPGraphicsPath* Path, CombineMode Mode = CombineModeReplace);
    Status ExcludeClip(const TGPRectF& Rect);
    Status ExcludeClip(TGPRegion* Region);
    Status ResetClip();

    Status DrawPath(TGPPen* Pen, TGPGraphicsPath* Path);
    Status FillPath(TGPBrush* Brush, TGPGraphicsPath* Path);
    Status FillRectangle(TGPBrush* Brush, const TGPRectF& Rect);
    Status FillRectangle(TGPBrush* Brush, float X, float Y, float Width, float Height);
    Status FillRectangle(TGPBrush* Brush, const TGPRect& Rect);
    Status FillRectangle(TGPBrush* Brush, int X, int Y, int Width, int Height);
    Status DrawRectangle(TGPPen* Pen, const TGPRectF& Rect);
    Status DrawRectangle(TGPPen* Pen, float X, float Y, float Width, float Height);
    Status DrawRectangle(TGPPen* Pen, const TGPRect& Rect);
    Status DrawRectangle(TGPPen* Pen, int X, int Y, int Width, int Height);
    Status DrawEllipse(TGPPen* Pen, const TGPRectF& Rect);
    Status DrawEllipse(TGPPen* Pen, float X, float Y, float Width, float Height);
    Status DrawEllipse(TGPPen* Pen, const TGPRect& Rect);
    Status DrawEllipse(TGPPen* Pen, int X, int Y, int Width, int Height);
    Status FillEllipse(TGPBrush* Brush, const TGPRectF& Rect);
    Status FillEllipse(TGPBrush* Brush, float X, float Y, float Width, float Height);
    Status FillEllipse(TGPBrush* Brush, const TGPRect& Rect);
    Status FillEllipse(TGPBrush* Brush, int X, int Y, int Width, int Height);
    Status DrawArc(TGPPen* Pen, float X, float Y, float Width, float Height, float StartAngle, float SweepAngle);
    Status DrawLine(TGPPen* Pen, float X1, float Y1, float X2, float Y2);
    Status FillPolygon(TGPBrush* Brush, const TGPPointF* Points, int Count, FillMode Mode = FillModeAlternate);
    Status FillPolygon(TGPBrush* Brush, const TGPPoint* Points, int Count, FillMode Mode = FillModeAlternate);

    Status DrawImage(TGPImage* Image, int X, int Y);
    Status DrawImage(TGPImage* Image, const TGPRectF& Rect);
    Status DrawImage(TGPImage* Image, float X, float Y, float Width, float Height);
    Status DrawImage(TGPImage* Image, const TGPRectF& DestRect, float SrcX, float SrcY, float SrcWidth,
                     float SrcHeight, Unit_ SrcUnit, TGPImageAttributes* Attributes = nullptr,
                     ImageAbort Callback = nullptr, void* CallbackData = nullptr);
    Status DrawImageRect(TGPImage* Image, int X, int Y, int Width, int Height);
    Status DrawImageRect(TGPImage* Image, const TGPRectF& Rect);

    // Lengths beyond the text (or negative) are taken as the text's own length.
    Status MeasureString(const String& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect,
                         TGPStringFormat* Format, TGPRectF& BoundingBox, int* CodepointsFitted = nullptr,
                         int* LinesFilled = nullptr);
    Status MeasureString(const String& Text, int Length, TGPFont* Font, const TGPPointF& Origin,
                         TGPStringFormat* Format, TGPRectF& BoundingBox);
    Status MeasureString(const String& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect,
                         TGPRectF& BoundingBox);
    Status DrawString(const String& Text, int Length, TGPFont* Font, const TGPPointF& Origin, TGPBrush* Brush);
    Status DrawString(const String& Text, int Length, TGPFont* Font, const TGPPointF& Origin,
                      TGPStringFormat* Format, TGPBrush* Brush);
    Status DrawString(const String& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect,
                      TGPStringFormat* Format, TGPBrush* Brush);
    // The same for text in the process's ANSI code page.
    Status DrawString(const std::string& Text, int Length, TGPFont* Font, const TGPPointF& Origin, TGPBrush* Brush);
    Status DrawString(const std::string& Text, int Length, TGPFont* Font, const TGPPointF& Origin,
                      TGPStringFormat* Format, TGPBrush* Brush);
    Status DrawString(const std::string& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect,
                      TGPStringFormat* Format, TGPBrush* Brush);

    // Text with a framework font, as DrawText does it (DT_CALCRECT measures only; a background
    // other than $1FFFFFFF is filled first). Returns the height of Rect afterwards.
    int DrawText(const String& Text, int Length, TRect& Rect, TFont* Font, UINT Flags, TColor Background);
    int TextWidth(const String& Text, TFont* Font);
    int TextHeight(const String& Text, TFont* Font);
    // A GDI+ font for a framework font ("Arial" when its face is missing); the caller frees it.
    TGPFont* MakeFont(TFont* Font);
    Status GetLastStatus();

    void* NativeHandle() const { return nativeGraphics; }

protected:
    Status SetStatus(Status Value);
    void* nativeGraphics = nullptr;
    Status lastResult = Ok;
};
