// The Now Playing card over a made-up session, where the end-to-end tests
// cannot reach: clicks at 144 DPI, and the cover's bitmap made once per
// cover. Its geometry is the unit tests' business.

#include "config/Settings.h"
#include "nowplaying/NowPlayingCard.h"
#include "nowplaying/NowPlayingCardSource.h"
#include "support/WinTestSupport.h"
#include "toolkit/Theme.h"

#include <gtest/gtest.h>

#include <optional>

namespace corvane {
namespace {

class FakeSource final : public NowPlayingCardSource {
public:
    const NowPlayingSnapshot& Snapshot() const override { return snapshot; }
    double CurrentPositionSeconds() const override { return snapshot.positionSeconds; }
    IWICBitmapSource* Artwork() const override {
        ++artworkReads;
        return cover.Get();
    }
    int32_t ArtworkGeneration() const override { return generation; }
    ArtworkTint Tint() const override { return {0.8f, 0.2f, 0.1f, 1.0f}; }
    IWICBitmapSource* SourceIcon(int32_t) override { return nullptr; }
    void SendMediaCommand(MediaCommand command, double seconds) override {
        sent = CardClick{command, seconds};
    }

    NowPlayingSnapshot snapshot;
    Microsoft::WRL::ComPtr<IWICBitmap> cover;
    int32_t generation = 1;
    mutable int artworkReads = 0;
    std::optional<CardClick> sent;
};

constexpr RECT kAnchor{400, 300, 440, 330};

class NowPlayingCardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // for the imaging factory
        ASSERT_TRUE(CreateGraphicsFactories(graphics_));
        NowPlayingSnapshot& s = source_.snapshot;
        s.active = s.playing = true;
        s.title = s.artist = s.sourceName = L"Song";
        s.positionSeconds = 30;
        s.durationSeconds = 200;
        // Over the widget, so that only the session can close the card.
        test::MovePointer({420, 315});
    }

    void TearDown() override {
        card_.DestroyCard();
        source_.cover.Reset();
        graphics_ = {};
        ::CoUninitialize();
    }

    HWND Window() const { return ::FindWindowW(kNowPlayingCardClass, nullptr); }
    void Paint() { ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

    GraphicsFactories graphics_;
    Settings settings_;
    Theme theme_;
    FakeSource source_;
    NowPlayingCard card_{::GetModuleHandleW(nullptr), graphics_, settings_, theme_, source_};
};

TEST_F(NowPlayingCardTest, ClicksSendTheirCommands) {
    const PointRect track = LayoutCard(kCardWidth, false, 0).track;
    const auto centre = [](CardItem b) {
        const PointRect r = CardButtonRect(b, kCardWidth);
        return POINT{static_cast<LONG>((r.left + r.right) / 2), static_cast<LONG>(r.top + 16)};
    };
    const POINT threeQuarters{static_cast<LONG>(track.left + (track.right - track.left) * 0.75f),
                              static_cast<LONG>(track.top + 2)};
    struct Case {
        POINT dips;
        double duration;
        UINT dpi;
        std::optional<CardClick> expected;
    };
    const Case cases[] = {
        {centre(CardItem::Previous), 200, 144, CardClick{MediaCommand::Previous, 0}},
        {centre(CardItem::Next), 0, 96, CardClick{MediaCommand::Next, 0}},
        {threeQuarters, 200, 144, CardClick{MediaCommand::Seek, 150}},
        {{60, 60}, 200, 96, std::nullopt},  // the cover
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dips.x << "," << c.dips.y << " @" << c.dpi);
        source_.snapshot.durationSeconds = c.duration;
        source_.sent.reset();
        card_.ShowCard(kAnchor, false, c.dpi);
        const auto px = [&](LONG v) { return static_cast<WORD>(MulDiv(v, int(c.dpi), 96)); };
        ::PostMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(px(c.dips.x), px(c.dips.y)));
        test::PumpMessages();
        ASSERT_EQ(source_.sent.has_value(), c.expected.has_value());
        if (c.expected) {
            EXPECT_EQ(source_.sent->command, c.expected->command);
            EXPECT_NEAR(source_.sent->seconds, c.expected->seconds, 1.0);
        }
    }
}

TEST_F(NowPlayingCardTest, RemakesTheCoverOnlyWhenItChanges) {
    ASSERT_TRUE(graphics_.wic);
    ASSERT_HRESULT_SUCCEEDED(graphics_.wic->CreateBitmap(64, 64, GUID_WICPixelFormat32bppPBGRA,
                                                         WICBitmapCacheOnLoad, &source_.cover));
    card_.ShowCard(kAnchor, false, 96);
    Paint();
    Paint();
    EXPECT_EQ(source_.artworkReads, 1);
    ++source_.generation;
    Paint();
    EXPECT_EQ(source_.artworkReads, 2);
}

}  // namespace
}  // namespace corvane
