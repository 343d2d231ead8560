#pragma once
// Skins made in the tests for the painting tests: sections with colours and shares, masks cut
// from small pictures drawn pixel by pixel, and a colour code that tells which pixel of a
// picture landed where.
#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "skin/core/sMaskData.h"
#include "tests/skin/core/Bitmap32Fixture.h"

namespace skinpaint_test {

inline constexpr std::uint32_t Key = 0x00FF00FFu;

// An opaque pixel naming its place in a picture: red = column, green = row, blue = Tag.
constexpr std::uint32_t Coded(int X, int Y, int Tag = 0x40)
{
    return 0xFF000000u | std::uint32_t(X) << 16 | std::uint32_t(Y) << 8 | std::uint32_t(Tag);
}

// Opaque pixel word from a TColor (low byte red).
constexpr std::uint32_t PixelOf(TColor C)
{
    return 0xFF000000u | (std::uint32_t(C) & 0xFF) << 16 | (std::uint32_t(C) & 0xFF00) | (std::uint32_t(C) >> 16 & 0xFF);
}

struct TestSkin {
    TsSkin Skin;

    // A section of one colour; Transparency and the shares as given.
    int AddSection(const String& Name, TColor Color, int Transparency = 0, int States = 1)
    {
        TsGeneralData d;
        d.ClassName = Name;
        d.States = States;
        d.Color = Color;
        d.Transparency = Transparency;
        d.HotColor = Color;
        d.HotTransparency = Transparency;
        Skin.gd.push_back(d);
        return static_cast<int>(Skin.gd.size()) - 1;
    }

    // A mask with its own picture.
    int AddMask(const String& Section, const String& Name, std::unique_ptr<TBitmap> Picture, int ImageCount,
                int MaskType = 0, int WL = 0, int WT = 0, int WR = 0, int WB = 0, int DrawMode = 0,
                TacImgType Type = itisaBorder)
    {
        TsMaskData m;
        m.ClassName = Section;
        m.PropertyName = Name;
        m.R = TRect{0, 0, Picture->Width(), Picture->Height()};
        m.Bmp = std::move(Picture);
        m.ImageCount = static_cast<std::int16_t>(ImageCount);
        m.MaskType = static_cast<std::int16_t>(MaskType);
        m.WL = static_cast<std::int16_t>(WL);
        m.WT = static_cast<std::int16_t>(WT);
        m.WR = static_cast<std::int16_t>(WR);
        m.WB = static_cast<std::int16_t>(WB);
        m.DrawMode = static_cast<std::int16_t>(DrawMode);
        m.ImgType = Type;
        Skin.ma.push_back(std::move(m));
        return static_cast<int>(Skin.ma.size()) - 1;
    }

    TsGeneralData& Section(int Index) { return Skin.gd[Index]; }
    TsMaskData& Mask(int Index) { return Skin.ma[Index]; }
};

} // namespace skinpaint_test

namespace skinpaint_test {

// The process's live GDI objects. Where the system does not count them for us (Wine answers 0),
// the process's own GDI handle table is read: an entry in use has a type.
inline unsigned GdiObjectCount()
{
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
#ifdef _WIN64
    constexpr size_t tableOffset = 0xF8;
#else
    constexpr size_t tableOffset = 0x94;
#endif
    auto* peb = reinterpret_cast<std::uint8_t*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    auto* table = *reinterpret_cast<std::uint8_t**>(peb + tableOffset);
    if (table == nullptr) return 0;
    struct Entry {
        std::uint64_t Object;
        std::uint32_t Owner;
        std::uint16_t Unique;
        std::uint8_t Type;
        std::uint8_t Flags;
        std::uint64_t UserPointer;
    };
    static_assert(sizeof(Entry) == 24);
    const auto* entries = reinterpret_cast<const Entry*>(table);
    unsigned count = 0;
    for (size_t i = 0; i < 0x10000; ++i)
        if (entries[i].Type != 0) ++count;
    return count;
}

} // namespace skinpaint_test
