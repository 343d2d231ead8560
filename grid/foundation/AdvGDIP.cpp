// AdvGDIP: GDI+'s start and stop with the program, the layer's allocation, the colour and record
// routines, and the small objects (matrix, string format, pen, brushes, region, fonts, path).
#include "grid/foundation/AdvGDIP.h"

#include <cstring>
#include <new>

#include "framework/facts/SystemFacts.h"
#include "grid/foundation/AdvGDIPFlat.h"

// ---- Start-up and shut-down -------------------------------------------------------------------

namespace {

struct TGdiplusUnit {
    bool Started = false;
    bool Hooked = false;
    ULONG_PTR Token = 0;
    ULONG_PTR HookToken = 0;
    GdiplusStartupInput Input{};
    GdiplusStartupOutput Output{};
};

TGdiplusUnit& Unit()
{
    static TGdiplusUnit unit;
    return unit;
}

bool StartGdiplus()
{
    TGdiplusUnit& unit = Unit();
    unit.Started = GdiplusStartup(&unit.Token, &unit.Input, &unit.Output) == Ok;
    return unit.Started;
}

// True when this code was linked into a DLL rather than the program itself.
bool ThisModuleIsLibrary()
{
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModuleIsLibrary), &self);
    return self != nullptr && self != GetModuleHandleW(nullptr);
}

// The unit's own initialization and finalization: GDI+ runs from program start to program end.
struct TGdiplusLifetime {
    TGdiplusLifetime() { AdvGDIPInitialization(); }
    ~TGdiplusLifetime() { AdvGDIPFinalization(); }
} gdiplusLifetime;

} // namespace

void AdvGDIPInitialization()
{
    TGdiplusUnit& unit = Unit();
    if (unit.Started) return;
    unit.Input.GdiplusVersion = 1;
    unit.Input.DebugEventCallback = nullptr;
    // The background thread is suppressed: on old systems the notification hook stands in for it.
    unit.Input.SuppressBackgroundThread = -1;
    unit.Input.SuppressExternalCodecs = FALSE;
    unit.Output = {};
    if (!StartGdiplus()) return;
    if (SystemFacts().WindowsVersion().Major < 6 && unit.Output.NotificationHook != nullptr)
        unit.Hooked = unit.Output.NotificationHook(&unit.HookToken) == Ok;
}

void AdvGDIPFinalization() { AdvGDIPFinalization(ThisModuleIsLibrary()); }

void AdvGDIPFinalization(bool ModuleIsLibrary)
{
    // A library's finalization runs inside the loader's detach, where stopping GDI+ deadlocks.
    if (ModuleIsLibrary) return;
    TGdiplusUnit& unit = Unit();
    if (!unit.Started) return;
    if (unit.Hooked && unit.Output.NotificationUnhook != nullptr) unit.Output.NotificationUnhook(unit.HookToken);
    unit.Hooked = false;
    GdiplusShutdown(unit.Token);
    unit.Started = false;
}

bool GdiplusStarted() { return Unit().Started; }

// ---- Allocation --------------------------------------------------------------------------------

void* TGdiplusBase::operator new(std::size_t Size)
{
    void* p = GdipAlloc(Size);
    if (p == nullptr) {
        // GDI+ not started yet (an object made before the program's start-up ran).
        StartGdiplus();
        p = GdipAlloc(Size);
    }
    if (p == nullptr) throw std::bad_alloc();
    return std::memset(p, 0, Size);
}

void TGdiplusBase::operator delete(void* Instance) noexcept
{
    if (Instance != nullptr) GdipFree(Instance);
}

// ---- Routines ----------------------------------------------------------------------------------

ARGB ColorToOpaqueARGB(TColor Color)
{
    auto rgb = static_cast<DWORD>(ColorToRGB(Color));
    return ComposeOpaqueARGB(static_cast<BYTE>(rgb & 0xFF), static_cast<BYTE>((rgb >> 8) & 0xFF),
                             static_cast<BYTE>((rgb >> 16) & 0xFF));
}

ARGB ComposeARGB(BYTE Alpha, BYTE Red, BYTE Green, BYTE Blue)
{
    return (ARGB(Alpha) << 24) | (ARGB(Red) << 16) | (ARGB(Green) << 8) | ARGB(Blue);
}

ARGB ComposeOpaqueARGB(BYTE Red, BYTE Green, BYTE Blue) { return ComposeARGB(0xFF, Red, Green, Blue); }
BYTE ARGBRed(ARGB Color) { return static_cast<BYTE>((Color >> 16) & 0xFF); }
BYTE ARGBGreen(ARGB Color) { return static_cast<BYTE>((Color >> 8) & 0xFF); }
BYTE ARGBBlue(ARGB Color) { return static_cast<BYTE>(Color & 0xFF); }
TGPRectF MakeGPRectF(float X, float Y, float Width, float Height) { return {X, Y, Width, Height}; }
TGPPoint MakeGPPoint(INT X, INT Y) { return {X, Y}; }

// ---- Matrix ------------------------------------------------------------------------------------

Status TGPMatrix::SetStatus(Status Value)
{
    if (Value != Ok) lastResult = Value;
    return Value;
}

TGPMatrix::TGPMatrix() { lastResult = GdipCreateMatrix(&nativeMatrix); }
TGPMatrix::TGPMatrix(float M11, float M12, float M21, float M22, float Dx, float Dy)
{
    lastResult = GdipCreateMatrix2(M11, M12, M21, M22, Dx, Dy, &nativeMatrix);
}
TGPMatrix::TGPMatrix(const TGPRectF& Rect, const TGPPointF* DstPlg) { lastResult = GdipCreateMatrix3(&Rect, DstPlg, &nativeMatrix); }
TGPMatrix::TGPMatrix(const TGPRect& Rect, const TGPPoint* DstPlg) { lastResult = GdipCreateMatrix3I(&Rect, DstPlg, &nativeMatrix); }
TGPMatrix::~TGPMatrix() { GdipDeleteMatrix(nativeMatrix); }

TGPMatrix* TGPMatrix::Clone()
{
    void* clone = nullptr;
    SetStatus(GdipCloneMatrix(nativeMatrix, &clone));
    if (lastResult != Ok) {
        if (clone != nullptr) GdipDeleteMatrix(clone);
        return nullptr;
    }
    return new TGPMatrix(clone);
}

Status TGPMatrix::GetElements(float* M) { return SetStatus(GdipGetMatrixElements(nativeMatrix, M)); }
Status TGPMatrix::SetElements(float M11, float M12, float M21, float M22, float Dx, float Dy)
{
    return SetStatus(GdipSetMatrixElements(nativeMatrix, M11, M12, M21, M22, Dx, Dy));
}

float TGPMatrix::OffsetX()
{
    float m[6];
    return GetElements(m) == Ok ? m[4] : 0.0f;
}

float TGPMatrix::OffsetY()
{
    float m[6];
    return GetElements(m) == Ok ? m[5] : 0.0f;
}

Status TGPMatrix::Reset() { return SetElements(1, 0, 0, 1, 0, 0); }
Status TGPMatrix::Multiply(TGPMatrix* Matrix, MatrixOrder Order)
{
    return SetStatus(GdipMultiplyMatrix(nativeMatrix, Matrix != nullptr ? Matrix->nativeMatrix : nullptr, Order));
}
Status TGPMatrix::Translate(float X, float Y, MatrixOrder Order) { return SetStatus(GdipTranslateMatrix(nativeMatrix, X, Y, Order)); }
Status TGPMatrix::Scale(float X, float Y, MatrixOrder Order) { return SetStatus(GdipScaleMatrix(nativeMatrix, X, Y, Order)); }
Status TGPMatrix::Rotate(float Angle, MatrixOrder Order) { return SetStatus(GdipRotateMatrix(nativeMatrix, Angle, Order)); }

Status TGPMatrix::RotateAt(float Angle, const TGPPointF& Center, MatrixOrder Order)
{
    if (Order == MatrixOrderPrepend) {
        SetStatus(GdipTranslateMatrix(nativeMatrix, Center.X, Center.Y, Order));
        SetStatus(GdipRotateMatrix(nativeMatrix, Angle, Order));
        return SetStatus(GdipTranslateMatrix(nativeMatrix, -Center.X, -Center.Y, Order));
    }
    SetStatus(GdipTranslateMatrix(nativeMatrix, -Center.X, -Center.Y, Order));
    SetStatus(GdipRotateMatrix(nativeMatrix, Angle, Order));
    return SetStatus(GdipTranslateMatrix(nativeMatrix, Center.X, Center.Y, Order));
}

Status TGPMatrix::Shear(float X, float Y, MatrixOrder Order) { return SetStatus(GdipShearMatrix(nativeMatrix, X, Y, Order)); }
Status TGPMatrix::Invert() { return SetStatus(GdipInvertMatrix(nativeMatrix)); }
Status TGPMatrix::TransformPoints(TGPPointF* Pts, int Count) { return SetStatus(GdipTransformMatrixPoints(nativeMatrix, Pts, Count)); }
Status TGPMatrix::TransformPoints(TGPPoint* Pts, int Count) { return SetStatus(GdipTransformMatrixPointsI(nativeMatrix, Pts, Count)); }
Status TGPMatrix::TransformVectors(TGPPointF* Pts, int Count) { return SetStatus(GdipVectorTransformMatrixPoints(nativeMatrix, Pts, Count)); }
Status TGPMatrix::TransformVectors(TGPPoint* Pts, int Count) { return SetStatus(GdipVectorTransformMatrixPointsI(nativeMatrix, Pts, Count)); }

bool TGPMatrix::IsInvertible()
{
    BOOL result = FALSE;
    SetStatus(GdipIsMatrixInvertible(nativeMatrix, &result));
    return result != FALSE;
}

bool TGPMatrix::IsIdentity()
{
    BOOL result = FALSE;
    SetStatus(GdipIsMatrixIdentity(nativeMatrix, &result));
    return result != FALSE;
}

Status TGPMatrix::GetLastStatus()
{
    Status result = lastResult;
    lastResult = Ok;
    return result;
}

// ---- String format -----------------------------------------------------------------------------

Status TGPStringFormat::SetStatus(Status Value)
{
    if (Value != Ok) lastError = Value;
    return Value;
}

TGPStringFormat::TGPStringFormat(int FormatFlags, LANGID Language)
{
    lastError = GdipCreateStringFormat(FormatFlags, Language, &nativeFormat);
}
TGPStringFormat::TGPStringFormat(TGPStringFormat* Format)
{
    lastError = GdipCloneStringFormat(Format != nullptr ? Format->nativeFormat : nullptr, &nativeFormat);
}
TGPStringFormat::~TGPStringFormat() { GdipDeleteStringFormat(nativeFormat); }

Status TGPStringFormat::SetAlignment(StringAlignment Align) { return SetStatus(GdipSetStringFormatAlign(nativeFormat, Align)); }
StringAlignment TGPStringFormat::GetAlignment()
{
    StringAlignment result = StringAlignmentNear;
    SetStatus(GdipGetStringFormatAlign(nativeFormat, &result));
    return result;
}
Status TGPStringFormat::SetLineAlignment(StringAlignment Align) { return SetStatus(GdipSetStringFormatLineAlign(nativeFormat, Align)); }
StringAlignment TGPStringFormat::GetLineAlignment()
{
    StringAlignment result = StringAlignmentNear;
    SetStatus(GdipGetStringFormatLineAlign(nativeFormat, &result));
    return result;
}
Status TGPStringFormat::SetFormatFlags(int Flags) { return SetStatus(GdipSetStringFormatFlags(nativeFormat, Flags)); }
int TGPStringFormat::GetFormatFlags()
{
    INT result = 0;
    SetStatus(GdipGetStringFormatFlags(nativeFormat, &result));
    return result;
}
Status TGPStringFormat::SetTrimming(StringTrimming Trimming) { return SetStatus(GdipSetStringFormatTrimming(nativeFormat, Trimming)); }
StringTrimming TGPStringFormat::GetTrimming()
{
    StringTrimming result = StringTrimmingNone;
    SetStatus(GdipGetStringFormatTrimming(nativeFormat, &result));
    return result;
}
Status TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix Prefix) { return SetStatus(GdipSetStringFormatHotkeyPrefix(nativeFormat, Prefix)); }
HotkeyPrefix TGPStringFormat::GetHotkeyPrefix()
{
    INT result = HotkeyPrefixNone;
    SetStatus(GdipGetStringFormatHotkeyPrefix(nativeFormat, &result));
    return static_cast<HotkeyPrefix>(result);
}

// ---- Pen ---------------------------------------------------------------------------------------

Status TGPPen::SetStatus(Status Value)
{
    if (Value != Ok) lastResult = Value;
    return Value;
}

TGPPen::TGPPen(ARGB Color, float Width) { lastResult = GdipCreatePen1(Color, Width, UnitWorld, &nativePen); }
TGPPen::TGPPen(TGPBrush* Brush, float Width)
{
    lastResult = GdipCreatePen2(Brush != nullptr ? Brush->nativeBrush : nullptr, Width, UnitWorld, &nativePen);
}
TGPPen::~TGPPen() { GdipDeletePen(nativePen); }

PenType TGPPen::GetPenType()
{
    PenType result = PenTypeUnknown;
    SetStatus(GdipGetPenFillType(nativePen, &result));
    return result;
}

TGPBrush* TGPPen::GetBrush()
{
    TGPBrush* brush = nullptr;
    switch (GetPenType()) {
    case PenTypeSolidColor: brush = new TGPSolidBrush(); break;
    case PenTypeHatchFill: brush = new TGPHatchBrush(); break;
    case PenTypeTextureFill: brush = new TGPTextureBrush(); break;
    case PenTypePathGradient: brush = new TGPBrush(); break;
    case PenTypeLinearGradient: brush = new TGPLinearGradientBrush(); break;
    default: return nullptr;
    }
    void* native = nullptr;
    SetStatus(GdipGetPenBrushFill(nativePen, &native));
    brush->nativeBrush = native;
    return brush;
}

Status TGPPen::SetBrush(TGPBrush* Brush)
{
    return SetStatus(GdipSetPenBrushFill(nativePen, Brush != nullptr ? Brush->nativeBrush : nullptr));
}

DashStyle TGPPen::GetDashStyle()
{
    DashStyle result = DashStyleSolid;
    SetStatus(GdipGetPenDashStyle(nativePen, &result));
    return result;
}

Status TGPPen::SetDashStyle(DashStyle Style) { return SetStatus(GdipSetPenDashStyle(nativePen, Style)); }
Status TGPPen::SetEndCap(LineCap EndCap) { return SetStatus(GdipSetPenEndCap(nativePen, EndCap)); }

// ---- Brushes -----------------------------------------------------------------------------------

Status TGPBrush::SetStatus(Status Value)
{
    if (Value != Ok) lastResult = Value;
    return Value;
}

TGPBrush::TGPBrush() : lastResult(NotImplemented) {}
TGPBrush::~TGPBrush() { GdipDeleteBrush(nativeBrush); }

TGPSolidBrush::TGPSolidBrush(ARGB Color) { lastResult = GdipCreateSolidFill(Color, &nativeBrush); }

TGPHatchBrush::TGPHatchBrush(HatchStyle Style, ARGB ForeColor, ARGB BackColor)
{
    lastResult = GdipCreateHatchBrush(Style, ForeColor, BackColor, &nativeBrush);
}
HatchStyle TGPHatchBrush::GetHatchStyle()
{
    HatchStyle result = HatchStyleHorizontal;
    SetStatus(GdipGetHatchStyle(nativeBrush, &result));
    return result;
}
Status TGPHatchBrush::GetForegroundColor(ARGB& Color) { return SetStatus(GdipGetHatchForegroundColor(nativeBrush, &Color)); }
Status TGPHatchBrush::GetBackgroundColor(ARGB& Color) { return SetStatus(GdipGetHatchBackgroundColor(nativeBrush, &Color)); }

namespace {
void* ImageHandle(TGPImage* Image) { return Image != nullptr ? Image->NativeHandle() : nullptr; }
void* AttrHandle(TGPImageAttributes* Attr) { return Attr != nullptr ? Attr->NativeHandle() : nullptr; }
void* PathHandle(TGPGraphicsPath* Path) { return Path != nullptr ? Path->NativeHandle() : nullptr; }
}

TGPTextureBrush::TGPTextureBrush(TGPImage* Image, WrapMode Mode)
{
    lastResult = GdipCreateTexture(ImageHandle(Image), Mode, &nativeBrush);
}
TGPTextureBrush::TGPTextureBrush(TGPImage* Image, WrapMode Mode, const TGPRectF& R)
{
    lastResult = GdipCreateTexture2(ImageHandle(Image), Mode, R.X, R.Y, R.Width, R.Height, &nativeBrush);
}
TGPTextureBrush::TGPTextureBrush(TGPImage* Image, WrapMode Mode, const TGPRect& R)
{
    lastResult = GdipCreateTexture2I(ImageHandle(Image), Mode, R.X, R.Y, R.Width, R.Height, &nativeBrush);
}
TGPTextureBrush::TGPTextureBrush(TGPImage* Image, WrapMode Mode, float DstX, float DstY, float DstWidth, float DstHeight)
{
    lastResult = GdipCreateTexture2(ImageHandle(Image), Mode, DstX, DstY, DstWidth, DstHeight, &nativeBrush);
}
TGPTextureBrush::TGPTextureBrush(TGPImage* Image, const TGPRectF& R, TGPImageAttributes* Attributes)
{
    lastResult = GdipCreateTextureIA(ImageHandle(Image), AttrHandle(Attributes), R.X, R.Y, R.Width, R.Height, &nativeBrush);
}
TGPTextureBrush::TGPTextureBrush(TGPImage* Image, const TGPRect& R, TGPImageAttributes* Attributes)
{
    lastResult = GdipCreateTextureIAI(ImageHandle(Image), AttrHandle(Attributes), R.X, R.Y, R.Width, R.Height, &nativeBrush);
}
Status TGPTextureBrush::ResetTransform() { return SetStatus(GdipResetTextureTransform(nativeBrush)); }
Status TGPTextureBrush::TranslateTransform(float Dx, float Dy, MatrixOrder Order)
{
    return SetStatus(GdipTranslateTextureTransform(nativeBrush, Dx, Dy, Order));
}
Status TGPTextureBrush::ScaleTransform(float Sx, float Sy, MatrixOrder Order)
{
    return SetStatus(GdipScaleTextureTransform(nativeBrush, Sx, Sy, Order));
}
Status TGPTextureBrush::RotateTransform(float Angle, MatrixOrder Order)
{
    return SetStatus(GdipRotateTextureTransform(nativeBrush, Angle, Order));
}
Status TGPTextureBrush::SetWrapMode(WrapMode Mode) { return SetStatus(GdipSetTextureWrapMode(nativeBrush, Mode)); }
WrapMode TGPTextureBrush::GetWrapMode()
{
    WrapMode result = WrapModeTile;
    SetStatus(GdipGetTextureWrapMode(nativeBrush, &result));
    return result;
}
TGPImage* TGPTextureBrush::GetImage()
{
    void* image = nullptr;
    Status status = SetStatus(GdipGetTextureImage(nativeBrush, &image));
    return new TGPImage(image, status);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& P1, const TGPPointF& P2, ARGB C1, ARGB C2)
{
    lastResult = GdipCreateLineBrush(&P1, &P2, C1, C2, WrapModeTile, &nativeBrush);
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPoint& P1, const TGPPoint& P2, ARGB C1, ARGB C2)
{
    lastResult = GdipCreateLineBrushI(&P1, &P2, C1, C2, WrapModeTile, &nativeBrush);
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& R, ARGB C1, ARGB C2, LinearGradientMode Mode)
{
    lastResult = GdipCreateLineBrushFromRect(&R, C1, C2, Mode, WrapModeTile, &nativeBrush);
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& R, ARGB C1, ARGB C2, LinearGradientMode Mode)
{
    lastResult = GdipCreateLineBrushFromRectI(&R, C1, C2, Mode, WrapModeTile, &nativeBrush);
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& R, ARGB C1, ARGB C2, float Angle, bool IsAngleScalable)
{
    lastResult = GdipCreateLineBrushFromRectWithAngle(&R, C1, C2, Angle, IsAngleScalable, WrapModeTile, &nativeBrush);
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& R, ARGB C1, ARGB C2, float Angle, bool IsAngleScalable)
{
    lastResult = GdipCreateLineBrushFromRectWithAngleI(&R, C1, C2, Angle, IsAngleScalable, WrapModeTile, &nativeBrush);
}
Status TGPLinearGradientBrush::SetGammaCorrection(bool UseGammaCorrection)
{
    return SetStatus(GdipSetLineGammaCorrection(nativeBrush, UseGammaCorrection));
}
Status TGPLinearGradientBrush::SetInterpolationColors(const ARGB* PresetColors, const float* BlendPositions, int Count)
{
    if (Count <= 0) return SetStatus(InvalidParameter);
    return SetStatus(GdipSetLinePresetBlend(nativeBrush, PresetColors, BlendPositions, Count));
}

TGPPathGradientBrush::TGPPathGradientBrush(TGPGraphicsPath* Path)
{
    lastResult = GdipCreatePathGradientFromPath(PathHandle(Path), &nativeBrush);
}
Status TGPPathGradientBrush::SetInterpolationColors(const ARGB* PresetColors, const float* BlendPositions, int Count)
{
    if (Count <= 0 || PresetColors == nullptr) return SetStatus(InvalidParameter);
    return SetStatus(GdipSetPathGradientPresetBlend(nativeBrush, PresetColors, BlendPositions, Count));
}
Status TGPPathGradientBrush::SetGammaCorrection(bool UseGammaCorrection)
{
    return SetStatus(GdipSetPathGradientGammaCorrection(nativeBrush, UseGammaCorrection));
}
Status TGPPathGradientBrush::SetWrapMode(WrapMode Mode) { return SetStatus(GdipSetPathGradientWrapMode(nativeBrush, Mode)); }
Status TGPPathGradientBrush::GetCenterColor(ARGB& Color)
{
    SetStatus(GdipGetPathGradientCenterColor(nativeBrush, &Color));
    return lastResult;
}
Status TGPPathGradientBrush::SetCenterColor(ARGB Color)
{
    SetStatus(GdipSetPathGradientCenterColor(nativeBrush, Color));
    return lastResult;
}
int TGPPathGradientBrush::GetPointCount()
{
    INT count = 0;
    SetStatus(GdipGetPathGradientPointCount(nativeBrush, &count));
    return count;
}

Status TGPPathGradientBrush::GetSurroundColors(ARGB* Colors, int& Count)
{
    if (Colors == nullptr) return SetStatus(InvalidParameter);
    INT have = 0;
    Status status = SetStatus(GdipGetPathGradientSurroundColorCount(nativeBrush, &have));
    if (status != Ok) return status;
    if (Count < have || have <= 0) return SetStatus(InsufficientBuffer);
    INT read = have;
    status = SetStatus(GdipGetPathGradientSurroundColorsWithCount(nativeBrush, Colors, &read));
    if (status == Ok) Count = read;
    return status;
}

Status TGPPathGradientBrush::SetSurroundColors(const ARGB* Colors, int& Count)
{
    int points = GetPointCount();
    if (Colors == nullptr || points <= 0 || Count > points) return SetStatus(InvalidParameter);
    INT taken = Count;
    Status status = SetStatus(GdipSetPathGradientSurroundColorsWithCount(nativeBrush, Colors, &taken));
    if (status == Ok) Count = taken;
    return status;
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPointF& Point) { return SetStatus(GdipGetPathGradientCenterPoint(nativeBrush, &Point)); }
Status TGPPathGradientBrush::GetCenterPoint(TGPPoint& Point) { return SetStatus(GdipGetPathGradientCenterPointI(nativeBrush, &Point)); }
Status TGPPathGradientBrush::SetCenterPoint(const TGPPointF& Point) { return SetStatus(GdipSetPathGradientCenterPoint(nativeBrush, &Point)); }
Status TGPPathGradientBrush::SetCenterPoint(const TGPPoint& Point) { return SetStatus(GdipSetPathGradientCenterPointI(nativeBrush, &Point)); }

// ---- Region ------------------------------------------------------------------------------------

Status TGPRegion::SetStatus(Status Value)
{
    if (Value != Ok) lastResult = Value;
    return Value;
}

TGPRegion::TGPRegion(const TGPRectF& Rect) { lastResult = GdipCreateRegionRect(&Rect, &nativeRegion); }
TGPRegion::TGPRegion(TGPGraphicsPath* Path) { lastResult = GdipCreateRegionPath(PathHandle(Path), &nativeRegion); }
TGPRegion::~TGPRegion() { GdipDeleteRegion(nativeRegion); }
Status TGPRegion::Exclude(TGPGraphicsPath* Path)
{
    return SetStatus(GdipCombineRegionPath(nativeRegion, PathHandle(Path), CombineModeExclude));
}
Status TGPRegion::Union(TGPRegion* Region)
{
    return SetStatus(GdipCombineRegionRegion(nativeRegion, Region != nullptr ? Region->nativeRegion : nullptr, CombineModeUnion));
}

// ---- Fonts -------------------------------------------------------------------------------------

TGPFontFamily::TGPFontFamily(const String& Name, TGPFontCollection* FontCollection)
{
    lastResult = GdipCreateFontFamilyFromName(Name.c_str(), FontCollection != nullptr ? FontCollection->NativeHandle() : nullptr,
                                              &nativeFamily);
}
TGPFontFamily::~TGPFontFamily() { GdipDeleteFontFamily(nativeFamily); }

TGPFont::TGPFont(TGPFontFamily* Family, float EmSize, int Style, Unit_ Unit)
{
    lastResult = GdipCreateFont(Family != nullptr ? Family->NativeHandle() : nullptr, EmSize, Style, Unit, &nativeFont);
}
TGPFont::~TGPFont() { GdipDeleteFont(nativeFont); }

// ---- Path --------------------------------------------------------------------------------------

Status TGPGraphicsPath::SetStatus(Status Value)
{
    if (Value != Ok) lastResult = Value;
    return Value;
}

TGPGraphicsPath::TGPGraphicsPath(FillMode Mode) { lastResult = GdipCreatePath(Mode, &nativePath); }
TGPGraphicsPath::~TGPGraphicsPath() { GdipDeletePath(nativePath); }
Status TGPGraphicsPath::Reset() { return SetStatus(GdipResetPath(nativePath)); }
Status TGPGraphicsPath::CloseFigure() { return SetStatus(GdipClosePathFigure(nativePath)); }
Status TGPGraphicsPath::AddLine(const TGPPointF& P1, const TGPPointF& P2) { return AddLine(P1.X, P1.Y, P2.X, P2.Y); }
Status TGPGraphicsPath::AddLine(float X1, float Y1, float X2, float Y2) { return SetStatus(GdipAddPathLine(nativePath, X1, Y1, X2, Y2)); }
Status TGPGraphicsPath::AddLines(const TGPPoint* Points, int Count) { return SetStatus(GdipAddPathLine2I(nativePath, Points, Count)); }
Status TGPGraphicsPath::AddRectangle(const TGPRectF& R) { return SetStatus(GdipAddPathRectangle(nativePath, R.X, R.Y, R.Width, R.Height)); }
Status TGPGraphicsPath::AddRectangle(const TGPRect& R) { return SetStatus(GdipAddPathRectangleI(nativePath, R.X, R.Y, R.Width, R.Height)); }
Status TGPGraphicsPath::AddArc(const TGPRectF& R, float Start, float Sweep) { return AddArc(R.X, R.Y, R.Width, R.Height, Start, Sweep); }
Status TGPGraphicsPath::AddArc(float X, float Y, float W, float H, float Start, float Sweep)
{
    return SetStatus(GdipAddPathArc(nativePath, X, Y, W, H, Start, Sweep));
}
Status TGPGraphicsPath::AddEllipse(const TGPRectF& R) { return AddEllipse(R.X, R.Y, R.Width, R.Height); }
Status TGPGraphicsPath::AddEllipse(float X, float Y, float W, float H) { return SetStatus(GdipAddPathEllipse(nativePath, X, Y, W, H)); }
Status TGPGraphicsPath::AddPie(const TGPRectF& R, float Start, float Sweep) { return AddPie(R.X, R.Y, R.Width, R.Height, Start, Sweep); }
Status TGPGraphicsPath::AddPie(float X, float Y, float W, float H, float Start, float Sweep)
{
    return SetStatus(GdipAddPathPie(nativePath, X, Y, W, H, Start, Sweep));
}
Status TGPGraphicsPath::AddPolygon(const TGPPointF* Points, int Count) { return SetStatus(GdipAddPathPolygon(nativePath, Points, Count)); }
Status TGPGraphicsPath::AddPolygon(const TGPPoint* Points, int Count) { return SetStatus(GdipAddPathPolygonI(nativePath, Points, Count)); }
Status TGPGraphicsPath::AddCurve(const TGPPointF* Points, int Count) { return SetStatus(GdipAddPathCurve(nativePath, Points, Count)); }
Status TGPGraphicsPath::AddCurve(const TGPPoint* Points, int Count) { return SetStatus(GdipAddPathCurveI(nativePath, Points, Count)); }
Status TGPGraphicsPath::AddCurve(const TGPPoint* Points, int Count, float Tension)
{
    return SetStatus(GdipAddPathCurve2I(nativePath, Points, Count, Tension));
}
Status TGPGraphicsPath::AddBezier(const TGPPoint& P1, const TGPPoint& P2, const TGPPoint& P3, const TGPPoint& P4)
{
    return AddBezier(float(P1.X), float(P1.Y), float(P2.X), float(P2.Y), float(P3.X), float(P3.Y), float(P4.X), float(P4.Y));
}
Status TGPGraphicsPath::AddBezier(const TGPPointF& P1, const TGPPointF& P2, const TGPPointF& P3, const TGPPointF& P4)
{
    return AddBezier(P1.X, P1.Y, P2.X, P2.Y, P3.X, P3.Y, P4.X, P4.Y);
}
Status TGPGraphicsPath::AddBezier(float X1, float Y1, float X2, float Y2, float X3, float Y3, float X4, float Y4)
{
    return SetStatus(GdipAddPathBezier(nativePath, X1, Y1, X2, Y2, X3, Y3, X4, Y4));
}
Status TGPGraphicsPath::AddString(const String& Text, int Length, TGPFontFamily* Family, int Style, float EmSize,
                                  const TGPRectF& LayoutRect, TGPStringFormat* Format)
{
    int length = (Length < 0 || Length > static_cast<int>(Text.size())) ? static_cast<int>(Text.size()) : Length;
    return SetStatus(GdipAddPathString(nativePath, Text.c_str(), length, Family != nullptr ? Family->NativeHandle() : nullptr,
                                       Style, EmSize, &LayoutRect, Format != nullptr ? Format->NativeHandle() : nullptr));
}
