// Loading a skin of 40,000 sections with the application's common sections against loading the
// same skin without them, in the same run. Half of the common sections are ones the skin already
// has (skipped), half are new and inherit from a section of the skin, so the merge looks up
// every name it meets. A merge that searched the whole section table per common section made
// the load many times slower; the goal is a load within twice the time without.
// Run: tools/bench.sh commonsections
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "framework/classes/StringList.h"
#include "skin/core/sMaskData.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int SkinSections = 40000;
constexpr int CommonSections = 10000;

String SkinText()
{
    String text = L"[GLOBALINFO]\r\nVERSION=7.5\r\n";
    for (int s = 0; s < SkinSections; ++s) {
        text += L"[S" + std::to_wstring(s) + L"]\r\n";
        if (s >= 8) text += L"PARENTCLASS=S" + std::to_wstring(s % 8) + L"\r\n";
        text += L"COLOR=$00" + std::to_wstring(100000 + s % 800000) +
                L"\r\nFONTCOLOR=$00202020\r\nTRANSPARENCY=10\r\nSTATES=3\r\nGLOW=0\r\n";
    }
    return text;
}

String CommonText()
{
    String text;
    for (int c = 0; c < CommonSections; ++c) {
        if (c % 2 == 0) {
            text += L"[S" + std::to_wstring(c * 3) + L"]\r\nCOLOR=$00FF00\r\n";
        } else {
            text += L"[APP" + std::to_wstring(c) + L"]\r\nPARENTCLASS=S" + std::to_wstring(c * 3) +
                    L"\r\nCOLOR=$00123456\r\nHOTCOLOR=$00654321\r\n";
        }
    }
    return text;
}

double Load(const TStringList& Options, const TStrings* Common, size_t Expected)
{
    auto start = Clock::now();
    std::unique_ptr<TsSkin> skin = LoadSkin(TsSkinSource{L"", nullptr, &Options}, TsSkinLoadSettings{nullptr, Common});
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (skin->gd.size() != Expected) std::printf("the skin did not load whole: %zu sections\n", skin->gd.size());
    return seconds;
}

}  // namespace

int main()
{
    TStringList options, common;
    options.SetText(SkinText());
    common.SetText(CommonText());
    const size_t plain = SkinSections + 1, merged = plain + CommonSections / 2;
    double without = 1e9, with = 1e9;
    for (int round = 0; round < 3; ++round) {
        // Alternate so that neither side profits from a warmer cache.
        without = std::min(without, Load(options, nullptr, plain));
        with = std::min(with, Load(options, &common, merged));
    }
    std::printf("skin: %d sections; common sections: %d (half of them new)\n", SkinSections, CommonSections);
    std::printf("load without common sections %8.1f ms\n", without * 1000);
    std::printf("load with common sections    %8.1f ms\n", with * 1000);
    std::printf("ratio with/without: %.3f (goal <= 2)\n", with / without);
    return 0;
}
