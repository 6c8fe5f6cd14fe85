// The Now Playing card over a made-up session, where the end-to-end tests
// cannot reach: clicks at 144 DPI, and the cover's bitmap made once per
// cover. Its geometry is the unit tests' business.

#include "config/Settings.h"
#include "nowplaying/Artwork.h"
#include "nowplaying/NowPlayingCard.h"
#include "nowplaying/NowPlayingCardSource.h"
#include "support/WinTestSupport.h"
#include "toolkit/Theme.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

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
    NowPlayingCard card_{{.instance = ::GetModuleHandleW(nullptr),
                          .graphics = graphics_,
                          .settings = settings_,
                          .theme = theme_,
                          .source = source_}};
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

// Cover art and its tint from PNG images made in memory.
using Microsoft::WRL::ComPtr;

struct Rgb {
    uint8_t r, g, b;
};

// A PNG whose columns left of `band` and from width - band on are `side`, the
// rest `middle`.
ComPtr<IStream> Png(IWICImagingFactory* wic, UINT width, UINT height, Rgb middle, Rgb side = {},
                    UINT band = 0) {
    std::vector<uint8_t> row(static_cast<std::size_t>(width) * 4);
    for (UINT x = 0; x < width; ++x) {
        const Rgb c = x < band || x >= width - band ? side : middle;
        uint8_t* p = &row[static_cast<std::size_t>(x) * 4];
        p[0] = c.b;
        p[1] = c.g;
        p[2] = c.r;
        p[3] = 255;
    }
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    const LARGE_INTEGER start = {};
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        FAILED(wic->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(width, height)) || FAILED(frame->SetPixelFormat(&format)) ||
        [&] {
            for (UINT y = 0; y < height; ++y) {
                if (FAILED(frame->WritePixels(1, width * 4, width * 4, row.data()))) {
                    return true;
                }
            }
            return false;
        }() ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()) ||
        FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) {
        ADD_FAILURE() << "could not encode a " << width << " x " << height << " PNG";
        return nullptr;
    }
    return stream;
}

class ArtworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                                    CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&wic_)));
    }
    void TearDown() override {
        wic_.Reset();
        ::CoUninitialize();
    }
    ComPtr<IWICImagingFactory> wic_;
};

TEST_F(ArtworkTest, CentredSquareOfAtMostMaxSide) {
    const Rgb green = {0, 200, 0};
    const Rgb red = {200, 0, 0};
    const struct {
        UINT width, height, band, side;
    } cases[] = {
        {1280, 720, 280, 320},                    // the red bands are cut off
        {200, 200, 0, 200},                       // already small enough: kept
        {720, 1280, 0, 320},   {9000, 10, 0, 0},  // too wide: refused
        {4097, 64, 0, 0},                         // wider than 4,096: refused
        {4096, 16, 0, 16},                        // at the limit: kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const ComPtr<IStream> png = Png(wic_.Get(), c.width, c.height, green, red, c.band);
        const ComPtr<IWICBitmap> artwork = ArtworkFromStream(wic_.Get(), png.Get());
        if (c.side == 0) {
            EXPECT_EQ(artwork, nullptr);
            continue;
        }
        ASSERT_NE(artwork, nullptr);
        UINT width = 0;
        UINT height = 0;
        WICPixelFormatGUID format = {};
        ASSERT_HRESULT_SUCCEEDED(artwork->GetSize(&width, &height));
        ASSERT_HRESULT_SUCCEEDED(artwork->GetPixelFormat(&format));
        EXPECT_EQ(width, c.side);
        EXPECT_EQ(height, c.side);
        EXPECT_EQ(format, GUID_WICPixelFormat32bppPBGRA);
        // The left edge, the centre and the right edge of the middle row.
        for (const UINT x : {0U, c.side / 2, c.side - 1}) {
            const WICRect pixel{static_cast<INT>(x), static_cast<INT>(c.side / 2), 1, 1};
            uint8_t bgra[4] = {};
            ASSERT_HRESULT_SUCCEEDED(artwork->CopyPixels(&pixel, 4, 4, bgra));
            EXPECT_EQ(bgra[2], 0) << "x " << x;
            EXPECT_NEAR(bgra[1], 200, 2) << "x " << x;
        }
    }
}

TEST_F(ArtworkTest, TintIsTheMeanColourMadeMoreSaturated) {
    const struct {
        Rgb cover;
        float r, g, b;
    } cases[] = {
        {{128, 128, 128}, 0.502F, 0.502F, 0.502F},  // grey stays grey
        {{200, 100, 50}, 0.947F, 0.359F, 0.065F},   // each channel away from the mean
        {{250, 10, 10}, 1.0F, 0.0F, 0.0F},          // clamped to 0..1
    };
    for (const auto& c : cases) {
        const ComPtr<IStream> png = Png(wic_.Get(), 64, 48, c.cover);
        const ComPtr<IWICBitmap> artwork = ArtworkFromStream(wic_.Get(), png.Get());
        const ArtworkTint tint = ArtworkTintOf(wic_.Get(), artwork.Get());
        EXPECT_NEAR(tint.r, c.r, 0.01F);
        EXPECT_NEAR(tint.g, c.g, 0.01F);
        EXPECT_NEAR(tint.b, c.b, 0.01F);
        EXPECT_EQ(tint.a, 1.0F);
    }
    EXPECT_EQ(ArtworkTintOf(wic_.Get(), nullptr).a, 0.0F);
}

}  // namespace
}  // namespace corvane
