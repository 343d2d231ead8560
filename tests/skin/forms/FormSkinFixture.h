#pragma once
// A skin for the form tests, made in code with colours that tell each part of a form image
// apart (frame, client, title active and inactive, each caption button and state), a form that
// records the commands and messages its own window procedure receives, and a form shown on the
// screen with a provider on it.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/controls/Forms.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "support/MessagePump.h"
#include "tests/skin/core/Bitmap32Fixture.h"

namespace formskin_test {

using kvltest::PumpPending;
using skintest::Px;

// Colours as pixel words (0xAARRGGBB) and TColor (low byte red).
constexpr std::uint32_t Word(TColor C)
{
    return 0xFF000000u | (std::uint32_t(C) & 0xFF) << 16 | (std::uint32_t(C) & 0xFF00) | (std::uint32_t(C) >> 16 & 0xFF);
}
inline constexpr TColor FormColor = 0x00D0E0F0;
inline constexpr TColor FormHotColor = 0x00C0D8E8;
inline constexpr TColor TitleColor = 0x00301010;
inline constexpr TColor TitleHotColor = 0x00602020;
inline constexpr TColor FrameColor = 0x00104010;
inline constexpr TColor MdiColor = 0x00405060;
// Caption-button frames: one colour per button and state.
constexpr std::uint32_t ButtonWord(int Button, int State)
{
    return 0xFF000000u | std::uint32_t(0x20 + 0x30 * Button) << 16 | std::uint32_t(0x40 + 0x40 * State) << 8 | 0x11u;
}
inline constexpr int ButtonW = 20, ButtonH = 16;
inline constexpr std::uint32_t GripWord = 0xFF0A0B0Cu;

// A manager holding the test skin; the default manager while it lives.
struct FormSkin {
    TsSkinManager Manager{nullptr};
    int FormIndex = -1, TitleIndex = -1, BorderMask = -1;

    FormSkin()
    {
        Manager.SkinData.Active = true;
        Manager.SkinData.BIRightMargin = 2;
        Manager.SkinData.BISpacing = 1;
        AddSection(L"GLOBALINFO", FormColor, FormColor);
        FormIndex = AddSection(L"FORM", FormColor, FormHotColor);
        TitleIndex = AddSection(L"FORMTITLE", TitleColor, TitleHotColor);
        AddSection(L"MDIAREA", MdiColor, MdiColor);
        // The frame: a ring of FrameColor 3 pixels wide, both states alike, with the two top
        // corner pixels and the one below them transparent (cut out of the window region).
        BorderMask = AddMask(L"FORM", L"BORDERSMASK", skintest::Bmp32(18, 9, [](int X, int Y) {
                                 int x = X % 9;
                                 bool key = (Y == 0 && (x <= 1 || x >= 7)) || (Y == 1 && (x == 0 || x == 8));
                                 if (key) return 0x00FF00FFu;
                                 bool ring = x < 3 || x > 5 || Y < 3 || Y > 5;
                                 return ring ? Word(FrameColor) : Word(FormColor);
                             }),
                             2, 3, 3, 3, 3);
        Manager.gd[FormIndex].BorderIndex = BorderMask;
        const wchar_t* names[] = {L"BICONCLOSE", L"BICONMAX", L"BICONMIN", L"BICONNORM", L"BICONHELP",
                                  L"SICONCLOSE", L"SICONMAX", L"SICONMIN", L"SICONNORM", L"TITLEBUTTON"};
        for (int b = 0; b < 10; ++b)
            AddMask(L"GLOBALINFO", names[b], skintest::Bmp32(ButtonW * 3, ButtonH, [b](int X, int) {
                        return ButtonWord(b, X / ButtonW);
                    }),
                    3);
        AddMask(L"GLOBALINFO", L"GRIPIMAGE", skintest::Bmp32(6, 6, GripWord), 1);
    }
    int AddSection(const String& Name, TColor Color, TColor HotColor)
    {
        TsGeneralData d;
        d.ClassName = Name;
        d.States = 2;
        d.Color = Color;
        d.HotColor = HotColor;
        d.FontColor = d.HotFontColor = TsFontColor{0x00FFFFFF, -1, -1, -1, -1};
        d.Props[0].Color = Color;
        d.Props[1].Color = HotColor;
        d.Props[0].FontColor = d.Props[1].FontColor = d.FontColor;
        Manager.gd.push_back(d);
        return static_cast<int>(Manager.gd.size()) - 1;
    }
    int AddMask(const String& Section, const String& Name, std::unique_ptr<TBitmap> Picture, int Frames, int WL = 0,
                int WT = 0, int WR = 0, int WB = 0)
    {
        TsMaskData m;
        m.ClassName = Section;
        m.PropertyName = Name;
        m.R = TRect{0, 0, Picture->Width(), Picture->Height()};
        m.Bmp = std::move(Picture);
        m.ImageCount = static_cast<std::int16_t>(Frames);
        m.WL = static_cast<std::int16_t>(WL);
        m.WT = static_cast<std::int16_t>(WT);
        m.WR = static_cast<std::int16_t>(WR);
        m.WB = static_cast<std::int16_t>(WB);
        m.Manager = &Manager;
        Manager.ma.push_back(std::move(m));
        return static_cast<int>(Manager.ma.size()) - 1;
    }
};

// A form whose own procedure records what reaches it, and keeps system commands from acting
// (a recorded SC_CLOSE does not close it) unless told to let them through.
class TRecordingForm : public TForm {
public:
    using TForm::TForm;
    std::vector<UINT> Messages;
    std::vector<WPARAM> Commands;
    bool RunCommands = false;
    void WndProc(TMessage& M) override
    {
        Messages.push_back(M.Msg);
        if (M.Msg == WM_SYSCOMMAND) {
            Commands.push_back(M.WParam & 0xFFF0);
            if (!RunCommands) return;
        }
        TForm::WndProc(M);
    }
    bool Received(UINT Msg) const { return std::find(Messages.begin(), Messages.end(), Msg) != Messages.end(); }
};

// A shown form with a provider.
struct SkinnedForm {
    TRecordingForm* Form;
    TsSkinProvider* Provider;

    explicit SkinnedForm(TFormBorderStyle Style = bsSizeable, int W = 300, int H = 200)
    {
        Form = new TRecordingForm(nullptr);
        Form->SetBorderStyle(Style);
        Form->SetPosition(poDesigned);
        Form->SetBounds(40, 40, W, H);
        Form->SetCaption(L"Skinned form");
        Form->Handle();
        Provider = new TsSkinProvider(Form);
        Form->Show();
        PumpPending();
        Activate(true);
    }
    ~SkinnedForm() { delete Form; }
    // Paints the frame in its active or inactive state.
    void Activate(bool Active)
    {
        SendMessageW(Form->Handle(), WM_NCACTIVATE, Active ? TRUE : FALSE, 0);
        PumpPending();
    }
    TBitmap& Cache()
    {
        Provider->SkinData()->BGChanged = true;
        Provider->PaintFormCache();
        return *Provider->SkinData()->CacheBmp();
    }
    // The whole look in the image, as a form whose background is not a plain colour has it (the
    // fixture's plain form fills its client by the paint messages instead).
    TBitmap& FullCache()
    {
        Provider->SkinData()->CtrlSkinState &= static_cast<std::uint16_t>(~ACS_FAST);
        return Cache();
    }
    // A screen point at a point of the form image.
    LPARAM ScreenPoint(int X, int Y) const
    {
        RECT r{};
        GetWindowRect(Form->Handle(), &r);
        return MAKELPARAM(r.left + X, r.top + Y);
    }
    LPARAM Centre(const TsCaptionButton& B) const
    {
        return ScreenPoint((B.Rect.left + B.Rect.right) / 2, (B.Rect.top + B.Rect.bottom) / 2);
    }
    LRESULT Send(UINT Msg, WPARAM W, LPARAM L) { return SendMessageW(Form->Handle(), Msg, W, L); }
    int HitTest(LPARAM Point) { return static_cast<int>(Send(WM_NCHITTEST, 0, Point)); }
};

} // namespace formskin_test
