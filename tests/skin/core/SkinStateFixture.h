#pragma once
// Controls and a skin manager for the tests of the per-control skin state: a parent that
// answers its children's skin questions as a test sets it up, a control that records the skin
// sub-commands it is sent, a panel, and a manager holding a skin made in the test.
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/stdctrls/Panel.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "tests/skin/core/SkinPaintFixture.h"

// Outside any namespace: a control without a default section takes its class name.

// A parent that answers its children's skin questions as a test sets it up.
class TStateTestParent : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::uint16_t StateBits = 0;
    LRESULT BgColorAnswer = 0;
    std::int32_t SectionAnswer = -1;
    TBitmap* AnswerBitmap = nullptr;
    void WndProc(TMessage& M) override
    {
        if (M.Msg == SM_LUMACMD) {
            switch (SkinCmdSub(M.WParam)) {
            case AC_QUERYSTATEBITS: M.Result = StateBits; return;
            case AC_QUERYBGCOLOR: M.Result = BgColorAnswer; return;
            case AC_QUERYSKININDEX: reinterpret_cast<TacSectionInfo*>(M.LParam)->SkinIndex = SectionAnswer; return;
            case AC_QUERYBGINFO:
                if (AnswerBitmap != nullptr) {
                    auto* q = reinterpret_cast<TBackgroundQuery*>(M.LParam);
                    q->Kind = bgkBitmap;
                    q->Bitmap = AnswerBitmap;
                    q->OffsetX = q->OffsetY = 0;
                }
                return;
            default: break;
            }
        }
        TCustomControl::WndProc(M);
    }
};

// A skinned control that records the skin sub-commands it is sent.
class TStateTestControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<int> Subs;
    void WndProc(TMessage& M) override
    {
        if (M.Msg == SM_LUMACMD) {
            Subs.push_back(SkinCmdSub(M.WParam));
            return;
        }
        TCustomControl::WndProc(M);
    }
};

class TStateTestPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};

namespace skinstate_test {

inline constexpr TColor EditColor = 0x00E0D0C0;
inline constexpr TColor EditFontColor = 0x00102030;

// A manager holding a small skin; it is the default manager while it lives.
struct SkinnedManager {
    TsSkinManager Manager{nullptr};
    TStateTestParent Parent{nullptr};

    SkinnedManager()
    {
        Manager.SkinData.Active = true;
        Manager.ConstData.IndexGLobalInfo = -1;
    }
    int AddSection(const String& Name, TColor Color, int Transparency = 0)
    {
        TsGeneralData d;
        d.ClassName = Name;
        d.States = 2;
        d.Color = Color;
        d.Transparency = Transparency;
        d.HotColor = Color;
        d.HotTransparency = Transparency;
        Manager.gd.push_back(d);
        return static_cast<int>(Manager.gd.size()) - 1;
    }
    int AddBorder(int WL, int WT, int WR, int WB, int DrawMode = 0)
    {
        TsMaskData m;
        m.Bmp = skintest::Bmp32(WL + WR + 1, WT + WB + 1, 0xFF000000u);
        m.R = TRect{0, 0, m.Bmp->Width(), m.Bmp->Height()};
        m.WL = static_cast<std::int16_t>(WL);
        m.WT = static_cast<std::int16_t>(WT);
        m.WR = static_cast<std::int16_t>(WR);
        m.WB = static_cast<std::int16_t>(WB);
        m.DrawMode = static_cast<std::int16_t>(DrawMode);
        m.Manager = &Manager;
        Manager.ma.push_back(std::move(m));
        return static_cast<int>(Manager.ma.size()) - 1;
    }
};

} // namespace skinstate_test
