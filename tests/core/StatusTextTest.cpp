#include "config/Language.h"
#include "bar/StatusText.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace corvane {
namespace {

TEST(StatusText, TooltipHasALineForEachPartAndAVolumePercentInRange) {
    const bool saved = IsNorwegian();
    SetNorwegian(false);
    using enum NetworkKind;
    // Sound device, volume, muted; network, signal, its name; battery, percent, charging.
    const std::pair<StatusModel, const wchar_t*> rows[] = {
        {{false, 0.5f, true, None, 0, L"", false, 80, true},
         L"Not connected\nScroll to change volume"},
        {{true, 0.337f, false, Ethernet, 0, L""},
         L"Ethernet: connected\nSound: 34 %\nScroll to change volume"},
        {{true, 0.5f, true, WiFi, 62, L"Kaffebar Ø"},
         L"Wi-Fi: Kaffebar Ø (62 %)\nSound: muted\nScroll to change volume"},
        {{true, 0.25f, false, WiFi, 100, L"", true, 15, true},
         L"Wi-Fi:  (100 %)\nSound: 25 %\nBattery: 15 % (charging)\nScroll to change volume"},
        {{false, 0, false, Ethernet, 0, L"", true, 100, false},
         L"Ethernet: connected\nBattery: 100 %\nScroll to change volume"},
    };
    for (const auto& [model, text] : rows) {
        EXPECT_EQ(StatusTooltipText(model), text);
    }
    SetNorwegian(true);
    EXPECT_EQ(StatusTooltipText(rows[3].first),
              L"Wi-Fi:  (100 %)\nLyd: 25 %\nBatteri: 15 % (lader)\nRull for å endre volum");
    SetNorwegian(saved);

    // The volume percent rounds and stays in range.
    const std::pair<float, int> volumes[] = {
        {0.0f, 0},    {0.004f, 0},   {0.006f, 1},
        {0.333f, 33}, {0.995f, 100}, {1.0f, 100},
        {1.5f, 100},  {-0.2f, 0},    {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& [volume, percent] : volumes) {
        EXPECT_EQ(VolumePercent(volume), percent) << volume;
    }
}

}  // namespace
}  // namespace corvane
