#pragma once
// The GDI+ flat functions the object layer calls, declared with the layer's own types (native
// objects as untyped pointers). Only the layer's sources include this.
#include "grid/foundation/AdvGDIP.h"

extern "C" {

struct GdiplusStartupInput {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};
using NotificationHookProc = Status(WINAPI*)(ULONG_PTR* Token);
using NotificationUnhookProc = VOID(WINAPI*)(ULONG_PTR Token);
struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook;
    NotificationUnhookProc NotificationUnhook;
};

using GpH = void*;
using GpOut = void**;

Status WINAPI GdiplusStartup(ULONG_PTR* Token, const GdiplusStartupInput* Input, GdiplusStartupOutput* Output);
VOID WINAPI GdiplusShutdown(ULONG_PTR Token);
void* WINAPI GdipAlloc(size_t Size);
void WINAPI GdipFree(void* Ptr);

// Matrix
Status WINAPI GdipCreateMatrix(GpOut);
Status WINAPI GdipCreateMatrix2(float, float, float, float, float, float, GpOut);
Status WINAPI GdipCreateMatrix3(const TGPRectF*, const TGPPointF*, GpOut);
Status WINAPI GdipCreateMatrix3I(const TGPRect*, const TGPPoint*, GpOut);
Status WINAPI GdipCloneMatrix(GpH, GpOut);
Status WINAPI GdipDeleteMatrix(GpH);
Status WINAPI GdipGetMatrixElements(GpH, float*);
Status WINAPI GdipSetMatrixElements(GpH, float, float, float, float, float, float);
Status WINAPI GdipMultiplyMatrix(GpH, GpH, MatrixOrder);
Status WINAPI GdipTranslateMatrix(GpH, float, float, MatrixOrder);
Status WINAPI GdipScaleMatrix(GpH, float, float, MatrixOrder);
Status WINAPI GdipRotateMatrix(GpH, float, MatrixOrder);
Status WINAPI GdipShearMatrix(GpH, float, float, MatrixOrder);
Status WINAPI GdipInvertMatrix(GpH);
Status WINAPI GdipTransformMatrixPoints(GpH, TGPPointF*, INT);
Status WINAPI GdipTransformMatrixPointsI(GpH, TGPPoint*, INT);
Status WINAPI GdipVectorTransformMatrixPoints(GpH, TGPPointF*, INT);
Status WINAPI GdipVectorTransformMatrixPointsI(GpH, TGPPoint*, INT);
Status WINAPI GdipIsMatrixInvertible(GpH, BOOL*);
Status WINAPI GdipIsMatrixIdentity(GpH, BOOL*);

// String format
Status WINAPI GdipCreateStringFormat(INT, LANGID, GpOut);
Status WINAPI GdipCloneStringFormat(GpH, GpOut);
Status WINAPI GdipDeleteStringFormat(GpH);
Status WINAPI GdipSetStringFormatAlign(GpH, StringAlignment);
Status WINAPI GdipGetStringFormatAlign(GpH, StringAlignment*);
Status WINAPI GdipSetStringFormatLineAlign(GpH, StringAlignment);
Status WINAPI GdipGetStringFormatLineAlign(GpH, StringAlignment*);
Status WINAPI GdipSetStringFormatFlags(GpH, INT);
Status WINAPI GdipGetStringFormatFlags(GpH, INT*);
Status WINAPI GdipSetStringFormatTrimming(GpH, StringTrimming);
Status WINAPI GdipGetStringFormatTrimming(GpH, StringTrimming*);
Status WINAPI GdipSetStringFormatHotkeyPrefix(GpH, INT);
Status WINAPI GdipGetStringFormatHotkeyPrefix(GpH, INT*);

// Pen
Status WINAPI GdipCreatePen1(ARGB, float, Unit_, GpOut);
Status WINAPI GdipCreatePen2(GpH, float, Unit_, GpOut);
Status WINAPI GdipDeletePen(GpH);
Status WINAPI GdipGetPenFillType(GpH, PenType*);
Status WINAPI GdipGetPenBrushFill(GpH, GpOut);
Status WINAPI GdipSetPenBrushFill(GpH, GpH);
Status WINAPI GdipGetPenDashStyle(GpH, DashStyle*);
Status WINAPI GdipSetPenDashStyle(GpH, DashStyle);
Status WINAPI GdipSetPenEndCap(GpH, LineCap);

// Brushes
Status WINAPI GdipDeleteBrush(GpH);
Status WINAPI GdipCreateSolidFill(ARGB, GpOut);
Status WINAPI GdipCreateHatchBrush(HatchStyle, ARGB, ARGB, GpOut);
Status WINAPI GdipGetHatchStyle(GpH, HatchStyle*);
Status WINAPI GdipGetHatchForegroundColor(GpH, ARGB*);
Status WINAPI GdipGetHatchBackgroundColor(GpH, ARGB*);
Status WINAPI GdipCreateTexture(GpH, WrapMode, GpOut);
Status WINAPI GdipCreateTexture2(GpH, WrapMode, float, float, float, float, GpOut);
Status WINAPI GdipCreateTexture2I(GpH, WrapMode, INT, INT, INT, INT, GpOut);
Status WINAPI GdipCreateTextureIA(GpH, GpH, float, float, float, float, GpOut);
Status WINAPI GdipCreateTextureIAI(GpH, GpH, INT, INT, INT, INT, GpOut);
Status WINAPI GdipResetTextureTransform(GpH);
Status WINAPI GdipTranslateTextureTransform(GpH, float, float, MatrixOrder);
Status WINAPI GdipScaleTextureTransform(GpH, float, float, MatrixOrder);
Status WINAPI GdipRotateTextureTransform(GpH, float, MatrixOrder);
Status WINAPI GdipSetTextureWrapMode(GpH, WrapMode);
Status WINAPI GdipGetTextureWrapMode(GpH, WrapMode*);
Status WINAPI GdipGetTextureImage(GpH, GpOut);
Status WINAPI GdipCreateLineBrush(const TGPPointF*, const TGPPointF*, ARGB, ARGB, WrapMode, GpOut);
Status WINAPI GdipCreateLineBrushI(const TGPPoint*, const TGPPoint*, ARGB, ARGB, WrapMode, GpOut);
Status WINAPI GdipCreateLineBrushFromRect(const TGPRectF*, ARGB, ARGB, LinearGradientMode, WrapMode, GpOut);
Status WINAPI GdipCreateLineBrushFromRectI(const TGPRect*, ARGB, ARGB, LinearGradientMode, WrapMode, GpOut);
Status WINAPI GdipCreateLineBrushFromRectWithAngle(const TGPRectF*, ARGB, ARGB, float, BOOL, WrapMode, GpOut);
Status WINAPI GdipCreateLineBrushFromRectWithAngleI(const TGPRect*, ARGB, ARGB, float, BOOL, WrapMode, GpOut);
Status WINAPI GdipSetLineGammaCorrection(GpH, BOOL);
Status WINAPI GdipSetLinePresetBlend(GpH, const ARGB*, const float*, INT);
Status WINAPI GdipCreatePathGradientFromPath(GpH, GpOut);
Status WINAPI GdipSetPathGradientPresetBlend(GpH, const ARGB*, const float*, INT);
Status WINAPI GdipSetPathGradientGammaCorrection(GpH, BOOL);
Status WINAPI GdipSetPathGradientWrapMode(GpH, WrapMode);
Status WINAPI GdipGetPathGradientCenterColor(GpH, ARGB*);
Status WINAPI GdipSetPathGradientCenterColor(GpH, ARGB);
Status WINAPI GdipGetPathGradientPointCount(GpH, INT*);
Status WINAPI GdipGetPathGradientSurroundColorCount(GpH, INT*);
Status WINAPI GdipGetPathGradientSurroundColorsWithCount(GpH, ARGB*, INT*);
Status WINAPI GdipSetPathGradientSurroundColorsWithCount(GpH, const ARGB*, INT*);
Status WINAPI GdipGetPathGradientCenterPoint(GpH, TGPPointF*);
Status WINAPI GdipGetPathGradientCenterPointI(GpH, TGPPoint*);
Status WINAPI GdipSetPathGradientCenterPoint(GpH, const TGPPointF*);
Status WINAPI GdipSetPathGradientCenterPointI(GpH, const TGPPoint*);

// Region
Status WINAPI GdipCreateRegionRect(const TGPRectF*, GpOut);
Status WINAPI GdipCreateRegionPath(GpH, GpOut);
Status WINAPI GdipDeleteRegion(GpH);
Status WINAPI GdipCombineRegionPath(GpH, GpH, CombineMode);
Status WINAPI GdipCombineRegionRegion(GpH, GpH, CombineMode);

// Fonts
Status WINAPI GdipCreateFontFamilyFromName(const WCHAR*, GpH, GpOut);
Status WINAPI GdipDeleteFontFamily(GpH);
Status WINAPI GdipCreateFont(GpH, float, INT, INT, GpOut);
Status WINAPI GdipDeleteFont(GpH);

// Path
Status WINAPI GdipCreatePath(FillMode, GpOut);
Status WINAPI GdipDeletePath(GpH);
Status WINAPI GdipResetPath(GpH);
Status WINAPI GdipClosePathFigure(GpH);
Status WINAPI GdipAddPathLine(GpH, float, float, float, float);
Status WINAPI GdipAddPathLine2I(GpH, const TGPPoint*, INT);
Status WINAPI GdipAddPathRectangle(GpH, float, float, float, float);
Status WINAPI GdipAddPathRectangleI(GpH, INT, INT, INT, INT);
Status WINAPI GdipAddPathArc(GpH, float, float, float, float, float, float);
Status WINAPI GdipAddPathEllipse(GpH, float, float, float, float);
Status WINAPI GdipAddPathPie(GpH, float, float, float, float, float, float);
Status WINAPI GdipAddPathPolygon(GpH, const TGPPointF*, INT);
Status WINAPI GdipAddPathPolygonI(GpH, const TGPPoint*, INT);
Status WINAPI GdipAddPathCurve(GpH, const TGPPointF*, INT);
Status WINAPI GdipAddPathCurveI(GpH, const TGPPoint*, INT);
Status WINAPI GdipAddPathCurve2I(GpH, const TGPPoint*, INT, float);
Status WINAPI GdipAddPathBezier(GpH, float, float, float, float, float, float, float, float);
Status WINAPI GdipAddPathString(GpH, const WCHAR*, INT, GpH, INT, float, const TGPRectF*, GpH);

// Images
Status WINAPI GdipLoadImageFromFile(const WCHAR*, GpOut);
Status WINAPI GdipLoadImageFromFileICM(const WCHAR*, GpOut);
Status WINAPI GdipLoadImageFromStream(IStream*, GpOut);
Status WINAPI GdipLoadImageFromStreamICM(IStream*, GpOut);
Status WINAPI GdipDisposeImage(GpH);
Status WINAPI GdipGetImageRawFormat(GpH, GUID*);
Status WINAPI GdipGetImageWidth(GpH, UINT*);
Status WINAPI GdipGetImageHeight(GpH, UINT*);
Status WINAPI GdipGetImagePixelFormat(GpH, INT*);
Status WINAPI GdipGetImageThumbnail(GpH, UINT, UINT, GpOut, ImageAbort, void*);
Status WINAPI GdipSaveImageToFile(GpH, const WCHAR*, const CLSID*, const TEncoderParameters*);
Status WINAPI GdipSaveImageToStream(GpH, IStream*, const CLSID*, const TEncoderParameters*);
Status WINAPI GdipSaveAddImage(GpH, GpH, const TEncoderParameters*);
Status WINAPI GdipImageRotateFlip(GpH, RotateFlipType);
Status WINAPI GdipCreateBitmapFromStream(IStream*, GpOut);
Status WINAPI GdipCreateBitmapFromStreamICM(IStream*, GpOut);
Status WINAPI GdipCreateBitmapFromScan0(INT, INT, INT, INT, BYTE*, GpOut);
Status WINAPI GdipCreateHBITMAPFromBitmap(GpH, HBITMAP*, ARGB);
Status WINAPI GdipBitmapGetPixel(GpH, INT, INT, ARGB*);
Status WINAPI GdipBitmapSetPixel(GpH, INT, INT, ARGB);

// Image attributes
Status WINAPI GdipCreateImageAttributes(GpOut);
Status WINAPI GdipCloneImageAttributes(GpH, GpOut);
Status WINAPI GdipDisposeImageAttributes(GpH);
Status WINAPI GdipSetImageAttributesToIdentity(GpH, ColorAdjustType);
Status WINAPI GdipResetImageAttributes(GpH, ColorAdjustType);
Status WINAPI GdipSetImageAttributesColorMatrix(GpH, ColorAdjustType, BOOL, const TColorMatrix*, const TColorMatrix*, ColorMatrixFlags);
Status WINAPI GdipSetImageAttributesThreshold(GpH, ColorAdjustType, BOOL, float);
Status WINAPI GdipSetImageAttributesGamma(GpH, ColorAdjustType, BOOL, float);
Status WINAPI GdipSetImageAttributesNoOp(GpH, ColorAdjustType, BOOL);
Status WINAPI GdipSetImageAttributesColorKeys(GpH, ColorAdjustType, BOOL, ARGB, ARGB);
Status WINAPI GdipSetImageAttributesOutputChannel(GpH, ColorAdjustType, BOOL, ColorChannelFlags);
Status WINAPI GdipSetImageAttributesOutputChannelColorProfile(GpH, ColorAdjustType, BOOL, const WCHAR*);
Status WINAPI GdipSetImageAttributesRemapTable(GpH, ColorAdjustType, BOOL, UINT, const TColorMap*);
Status WINAPI GdipSetImageAttributesWrapMode(GpH, WrapMode, ARGB, BOOL);
Status WINAPI GdipGetImageAttributesAdjustedPalette(GpH, TColorPalette*, ColorAdjustType);

// Graphics
Status WINAPI GdipCreateFromHDC(HDC, GpOut);
Status WINAPI GdipGetImageGraphicsContext(GpH, GpOut);
Status WINAPI GdipDeleteGraphics(GpH);
Status WINAPI GdipFlush(GpH, FlushIntention);
Status WINAPI GdipGraphicsClear(GpH, ARGB);
Status WINAPI GdipGetDC(GpH, HDC*);
Status WINAPI GdipReleaseDC(GpH, HDC);
Status WINAPI GdipSetTextRenderingHint(GpH, TextRenderingHint);
Status WINAPI GdipGetTextRenderingHint(GpH, TextRenderingHint*);
Status WINAPI GdipSetSmoothingMode(GpH, SmoothingMode);
Status WINAPI GdipGetSmoothingMode(GpH, SmoothingMode*);
Status WINAPI GdipSetCompositingQuality(GpH, CompositingQuality);
Status WINAPI GdipGetCompositingQuality(GpH, CompositingQuality*);
Status WINAPI GdipSetWorldTransform(GpH, GpH);
Status WINAPI GdipResetWorldTransform(GpH);
Status WINAPI GdipSetClipRegion(GpH, GpH, CombineMode);
Status WINAPI GdipSetClipPath(GpH, GpH, CombineMode);
Status WINAPI GdipSetClipRect(GpH, float, float, float, float, CombineMode);
Status WINAPI GdipResetClip(GpH);
Status WINAPI GdipDrawPath(GpH, GpH, GpH);
Status WINAPI GdipFillPath(GpH, GpH, GpH);
Status WINAPI GdipFillRectangle(GpH, GpH, float, float, float, float);
Status WINAPI GdipFillRectangleI(GpH, GpH, INT, INT, INT, INT);
Status WINAPI GdipDrawRectangle(GpH, GpH, float, float, float, float);
Status WINAPI GdipDrawRectangleI(GpH, GpH, INT, INT, INT, INT);
Status WINAPI GdipDrawEllipse(GpH, GpH, float, float, float, float);
Status WINAPI GdipDrawEllipseI(GpH, GpH, INT, INT, INT, INT);
Status WINAPI GdipFillEllipse(GpH, GpH, float, float, float, float);
Status WINAPI GdipFillEllipseI(GpH, GpH, INT, INT, INT, INT);
Status WINAPI GdipDrawArc(GpH, GpH, float, float, float, float, float, float);
Status WINAPI GdipDrawLine(GpH, GpH, float, float, float, float);
Status WINAPI GdipFillPolygon(GpH, GpH, const TGPPointF*, INT, FillMode);
Status WINAPI GdipFillPolygonI(GpH, GpH, const TGPPoint*, INT, FillMode);
Status WINAPI GdipDrawImageI(GpH, GpH, INT, INT);
Status WINAPI GdipDrawImageRect(GpH, GpH, float, float, float, float);
Status WINAPI GdipDrawImageRectRect(GpH, GpH, float, float, float, float, float, float, float, float, Unit_, GpH, ImageAbort, void*);
Status WINAPI GdipMeasureString(GpH, const WCHAR*, INT, GpH, const TGPRectF*, GpH, TGPRectF*, INT*, INT*);
Status WINAPI GdipDrawString(GpH, const WCHAR*, INT, GpH, const TGPRectF*, GpH, GpH);

} // extern "C"
