// The published properties of the graphics classes (fonts, pens, brushes, pictures) and the
// identifiers of their types, for the form reader.
#include "framework/classes/PropertyRegistry.h"
#include "framework/classes/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Graphics.h"

namespace {

// Picture data: one length byte and the graphic's class name, then the graphic's own stream
// (FormDescription.h). Classes other than the two built-in ones are recognised by their stream.
void LoadPictureData(TPicture* picture, const std::vector<uint8_t>& data)
{
    if (data.empty()) {
        picture->SetGraphic(nullptr);
        return;
    }
    size_t nameLength = data[0];
    if (1 + nameLength > data.size()) throw EInvalidGraphic(L"Picture data is too short for its class name");
    String className(data.begin() + 1, data.begin() + 1 + static_cast<std::ptrdiff_t>(nameLength));
    const uint8_t* image = data.data() + 1 + nameLength;
    size_t imageSize = data.size() - 1 - nameLength;
    if (imageSize == 0) {
        picture->SetGraphic(nullptr);
    } else if (className == L"TBitmap") {
        picture->Bitmap()->LoadFromBytes(image, imageSize);
    } else if (className == L"TIcon") {
        picture->Icon()->LoadFromBytes(image, imageSize);
    } else {
        TBytesStream stream(std::vector<uint8_t>(image, image + imageSize));
        picture->LoadFromStream(&stream);
    }
}

} // namespace

void RegisterGraphicsClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterClassesClasses();
    RegisterIdentMap(L"TColor", [](const String& ident, int64_t& value) {
        TColor color = 0;
        if (!IdentToColor(ident, color)) return false;
        value = color;
        return true;
    });
    RegisterEnumValues(L"TFontCharset", {
        {L"ANSI_CHARSET", ANSI_CHARSET}, {L"DEFAULT_CHARSET", DEFAULT_CHARSET},
        {L"SYMBOL_CHARSET", SYMBOL_CHARSET}, {L"MAC_CHARSET", MAC_CHARSET},
        {L"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET}, {L"HANGEUL_CHARSET", HANGEUL_CHARSET},
        {L"JOHAB_CHARSET", JOHAB_CHARSET}, {L"GB2312_CHARSET", GB2312_CHARSET},
        {L"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET}, {L"GREEK_CHARSET", GREEK_CHARSET},
        {L"TURKISH_CHARSET", TURKISH_CHARSET}, {L"VIETNAMESE_CHARSET", VIETNAMESE_CHARSET},
        {L"HEBREW_CHARSET", HEBREW_CHARSET}, {L"ARABIC_CHARSET", ARABIC_CHARSET},
        {L"BALTIC_CHARSET", BALTIC_CHARSET}, {L"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
        {L"THAI_CHARSET", THAI_CHARSET}, {L"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
        {L"OEM_CHARSET", OEM_CHARSET}});
    RegisterEnumType(L"TFontStyle", {L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut"});
    RegisterEnumType(L"TFontPitch", {L"fpDefault", L"fpVariable", L"fpFixed"});
    RegisterEnumType(L"TFontQuality", {L"fqDefault", L"fqDraft", L"fqProof", L"fqNonAntialiased", L"fqAntialiased",
                                       L"fqClearType", L"fqClearTypeNatural"});
    RegisterEnumType(L"TPenStyle", {L"psSolid", L"psDash", L"psDot", L"psDashDot", L"psDashDotDot", L"psClear", L"psInsideFrame"});
    RegisterEnumType(L"TPenMode", {L"pmBlack", L"pmWhite", L"pmNop", L"pmNot", L"pmCopy", L"pmNotCopy", L"pmMergePenNot",
                                   L"pmMaskPenNot", L"pmMergeNotPen", L"pmMaskNotPen", L"pmMerge", L"pmNotMerge", L"pmMask",
                                   L"pmNotMask", L"pmXor", L"pmNotXor"});
    RegisterEnumType(L"TBrushStyle", {L"bsSolid", L"bsClear", L"bsHorizontal", L"bsVertical", L"bsFDiagonal", L"bsBDiagonal",
                                      L"bsCross", L"bsDiagCross"});

    RegisterPublishedClass<TGraphicsObject>(L"TGraphicsObject", L"TPersistent");
    RegisterPublishedClass<TFont>(L"TFont", L"TGraphicsObject")
        .Integer(L"Charset", [](TFont* f, int v) { f->SetCharset(static_cast<TFontCharset>(v)); }, L"DEFAULT_CHARSET", L"TFontCharset")
        .Integer(L"Color", [](TFont* f, TColor v) { f->SetColor(v); }, L"clWindowText", L"TColor")
        .Integer(L"Height", [](TFont* f, int v) { f->SetHeight(v); })
        .Integer(L"Size", [](TFont* f, int v) { f->SetSize(v); })
        .Text(L"Name", [](TFont* f, const String& v) { f->SetName(v); }, L"Tahoma")
        .Set(L"Style", L"TFontStyle", [](TFont* f, uint64_t v) { f->SetStyle(TFontStyles::FromBits(v)); })
        .Integer(L"Orientation", [](TFont* f, int v) { f->SetOrientation(v); })
        .Enum<TFontPitch>(L"Pitch", L"TFontPitch", [](TFont* f, TFontPitch v) { f->SetPitch(v); }, L"fpDefault")
        .Enum<TFontQuality>(L"Quality", L"TFontQuality", [](TFont* f, TFontQuality v) { f->SetQuality(v); }, L"fqDefault");
    RegisterPublishedClass<TPen>(L"TPen", L"TGraphicsObject")
        .Integer(L"Color", [](TPen* p, TColor v) { p->SetColor(v); }, L"clBlack", L"TColor")
        .Integer(L"Width", [](TPen* p, int v) { p->SetWidth(v); }, L"1")
        .Enum<TPenStyle>(L"Style", L"TPenStyle", [](TPen* p, TPenStyle v) { p->SetStyle(v); }, L"psSolid")
        .Enum<TPenMode>(L"Mode", L"TPenMode", [](TPen* p, TPenMode v) { p->SetMode(v); }, L"pmCopy");
    RegisterPublishedClass<TBrush>(L"TBrush", L"TGraphicsObject")
        .Integer(L"Color", [](TBrush* b, TColor v) { b->SetColor(v); }, L"clWhite", L"TColor")
        .Enum<TBrushStyle>(L"Style", L"TBrushStyle", [](TBrush* b, TBrushStyle v) { b->SetStyle(v); }, L"bsSolid");

    RegisterPublishedClass<TPicture>(L"TPicture", L"TPersistent")
        .Binary(L"Data", [](TPicture* p, const std::vector<uint8_t>& v) { LoadPictureData(p, v); });
    RegisterPublishedClass<TGraphic>(L"TGraphic", L"TPersistent")
        .Boolean(L"Transparent", [](TGraphic* g, bool v) { g->SetTransparent(v); });
    // A bitmap or icon property on its own (a button's glyph) holds the bare file.
    RegisterPublishedClass<TBitmap>(L"TBitmap", L"TGraphic")
        .Binary(L"Data", [](TBitmap* b, const std::vector<uint8_t>& v) {
            if (v.empty()) b->SetSize(0, 0);
            else b->LoadFromBytes(v.data(), v.size());
        });
    RegisterPublishedClass<TIcon>(L"TIcon", L"TGraphic")
        .Binary(L"Data", [](TIcon* i, const std::vector<uint8_t>& v) {
            if (!v.empty()) i->LoadFromBytes(v.data(), v.size());
        });
}
