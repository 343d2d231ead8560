#pragma once
// TIcon: an HICON, loaded from .ico data (the image closest to the requested size is chosen)
// and drawn with DrawIconEx. The file's bytes are kept, so saving an icon that was loaded
// writes every image of it back unchanged; an icon made from a handle is saved as one 32-bit
// image with its mask.
#include <cstdint>
#include <vector>

#include "framework/graphics/Graphic.h"

class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;

    void Assign(TPersistent* Source) override;

    bool Empty() const override { return FHandle == nullptr; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // The size of the image to pick from .ico data (0 = the system's icon size); a loaded icon
    // picks again from its data. An icon made from a handle cannot change size
    // (EInvalidGraphicOperation "Cannot change the size of an icon").
    void SetWidth(int Value) override { SetSize(Value, FRequestedHeight); }
    void SetHeight(int Value) override { SetSize(FRequestedWidth, Value); }
    void SetSize(int AWidth, int AHeight) override;
    bool Transparent() const override { return true; }

    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

    // Bad data raises EInvalidGraphic "Icon image is not valid".
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    void LoadFromBytes(const std::uint8_t* Data, std::size_t Size);
    std::vector<std::uint8_t> SaveToBytes();
    // An icon group resource (RT_GROUP_ICON) of a module.
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);

    HICON Handle() const { return FHandle; }
    // Takes over the handle (the icon destroys it).
    void SetHandle(HICON Value);
    // Gives up the handle to the caller; the icon becomes empty.
    HICON ReleaseHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    void Clear();
    void ReadSize();
    void LoadGroup(HINSTANCE Instance, LPCWSTR Name);

    HICON FHandle = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    int FRequestedWidth = 0;
    int FRequestedHeight = 0;
    std::vector<std::uint8_t> FData; // the .ico bytes the handle came from, if any
};
