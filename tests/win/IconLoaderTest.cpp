// The icon loader against real executables: icon_fixture_large.exe carries a
// 32-pixel tile and a 256-pixel image whose visible part is a 100-pixel
// square at (78, 78), ringed with half-transparent white;
// icon_fixture_small.exe has only a 16 x 16 icon.

#include "base/Win32Handles.h"
#include "base/Worker.h"
#include "identity/IconDrawing.h"
#include "identity/IconLoader.h"
#include "identity/IconTrim.h"
#include "start/AppIconCache.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <d2d1.h>
#include <tuple>
#include <vector>
#include <wincodec.h>
#include <wrl/client.h>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

struct Pixels {
    UINT width = 0;
    UINT height = 0;
    WICPixelFormatGUID format = {};
    std::vector<uint8_t> bgra;

    [[nodiscard]] PixelView View() const {
        return PixelView{bgra, static_cast<int>(width), static_cast<int>(height),
                         static_cast<std::size_t>(width) * 4};
    }
    [[nodiscard]] const uint8_t* At(UINT x, UINT y) const {
        return &bgra[(static_cast<std::size_t>(y) * width + x) * 4];
    }
};

Pixels Read(IWICBitmapSource* source) {
    Pixels p;
    if (source != nullptr && SUCCEEDED(source->GetSize(&p.width, &p.height)) &&
        SUCCEEDED(source->GetPixelFormat(&p.format))) {
        p.bgra.resize(static_cast<std::size_t>(p.width) * p.height * 4);
        if (FAILED(source->CopyPixels(nullptr, p.width * 4, static_cast<UINT>(p.bgra.size()),
                                      p.bgra.data()))) {
            p.bgra.clear();
        }
    }
    return p;
}

// Square, of the wanted size, and no colour byte above its alpha.
void ExpectPremultipliedSquare(const Pixels& p, UINT size) {
    EXPECT_EQ(p.width, size);
    EXPECT_EQ(p.height, size);
    ASSERT_EQ(p.format, GUID_WICPixelFormat32bppPBGRA);
    ASSERT_EQ(p.bgra.size(), static_cast<std::size_t>(size) * size * 4);
    int violations = 0;
    for (std::size_t i = 0; i < p.bgra.size(); i += 4) {
        const uint8_t alpha = p.bgra[i + 3];
        violations += p.bgra[i] > alpha || p.bgra[i + 1] > alpha || p.bgra[i + 2] > alpha;
    }
    EXPECT_EQ(violations, 0);
}

class IconLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                                 CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory_))));
        SetThreadImagingFactory(factory_.Get());
    }
    void TearDown() override { SetThreadImagingFactory(nullptr); }

    const std::wstring large_ = test::BuiltFile(L"icon_fixture_large.exe");
    const std::wstring small_ = test::BuiltFile(L"icon_fixture_small.exe");
    ComApartment com_;
    ComPtr<IWICImagingFactory> factory_;
};

TEST_F(IconLoaderTest, The256ImageIsTrimmedToItsContentPlusMargin) {
    // At 108 pixels the crop (108 x 108 at 73, 73) is used as it is: the
    // content lies 5 pixels from the left and top and 3 from the other sides.
    const Pixels p = Read(LoadIconBitmap(large_, 108).Get());
    ExpectPremultipliedSquare(p, 108);
    ASSERT_FALSE(p.bgra.empty());
    EXPECT_EQ(FindVisibleBounds(p.View()), (AlphaBounds{5, 5, 104, 104}));
    // The half-transparent white ring premultiplied, the amber core opaque.
    EXPECT_NEAR(p.At(5, 50)[3], 128, 1);
    EXPECT_NEAR(p.At(5, 50)[0], 128, 1);
    EXPECT_EQ(p.At(50, 50)[3], 255);
    EXPECT_EQ(p.At(50, 50)[0], 40);
}

TEST_F(IconLoaderTest, ASixteenPixelIconFallsBackToTheShellImage) {
    // The resource alone is refused: narrower than 32 pixels.
    EXPECT_FALSE(LoadModuleIconBitmap(factory_.Get(), small_, 32));
    const Pixels loaded = Read(LoadIconBitmap(small_, 32).Get());
    const Pixels shell = Read(LoadShellIconBitmap(factory_.Get(), small_, 32).Get());
    ExpectPremultipliedSquare(shell, 32);
    EXPECT_EQ(loaded.bgra, shell.bgra);
}

TEST_F(IconLoaderTest, NothingIsLoadedFromMissingOrForeignFiles) {
    EXPECT_FALSE(LoadIconBitmap(test::BuiltFile(L"no-such-file.exe"), 32));
    EXPECT_FALSE(TrimAndScale(factory_.Get(), nullptr, 32));
    test::TempFolder folder;
    const std::wstring fake = folder.File(L"not-a-module.exe");
    ASSERT_TRUE(test::WriteFileBytes(fake, {'n', 'o', 'p', 'e'}));
    EXPECT_FALSE(LoadModuleIconBitmap(factory_.Get(), fake, 32));
}

TEST_F(IconLoaderTest, EveryDesktopEntryHasAShellIcon) {
    test::TempFolder folder;
    const std::wstring text = folder.File(L"notes.txt");
    const std::wstring sub = folder.File(L"Sub");
    ASSERT_TRUE(test::WriteFileBytes(text, {'h', 'i'}));
    ASSERT_TRUE(::CreateDirectoryW(sub.c_str(), nullptr));
    for (const std::wstring& path :
         {text, sub, std::wstring(L"::{645FF040-5081-101B-9F08-00AA002F954E}")}) {
        const Pixels icon = Read(LoadIconBitmap(path, 38).Get());
        SCOPED_TRACE(path);
        ExpectPremultipliedSquare(icon, 38);
        // Drawn, not a transparent square.
        int opaque = 0;
        for (std::size_t i = 3; i < icon.bgra.size(); i += 4) {
            opaque += icon.bgra[i] > 128;
        }
        EXPECT_GT(opaque, 38 * 38 / 4);
    }
}

// DrawIconBitmap into an offscreen Direct2D target at 150 % scale.

TEST(DrawIconBitmap, A48PixelIconIn32DipsLandsOnWholeDevicePixels) {
    constexpr UINT kCanvas = 100;
    constexpr UINT kIcon = 48;
    ComApartment com;
    ComPtr<IWICImagingFactory> wic;
    ComPtr<ID2D1Factory> d2d;
    ComPtr<IWICBitmap> canvas;
    ComPtr<ID2D1RenderTarget> target;
    ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_PPV_ARGS(&wic))));
    ASSERT_TRUE(
        SUCCEEDED(::D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, d2d.GetAddressOf())));
    ASSERT_TRUE(SUCCEEDED(wic->CreateBitmap(kCanvas, kCanvas, GUID_WICPixelFormat32bppPBGRA,
                                            WICBitmapCacheOnLoad, &canvas)));
    const D2D1_RENDER_TARGET_PROPERTIES props = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED), 144.0f,
        144.0f);
    ASSERT_TRUE(SUCCEEDED(d2d->CreateWicBitmapRenderTarget(canvas.Get(), props, &target)));

    // A checkerboard of single pixels: any blending or offset would show.
    std::vector<uint8_t> pixels(kIcon * kIcon * 4, 255);
    for (UINT i = 0; i < kIcon * kIcon; ++i) {
        if ((i % kIcon + i / kIcon) % 2 == 0) {
            pixels[i * 4] = pixels[i * 4 + 1] = 0;
        }
    }
    ComPtr<IWICBitmap> source;
    ComPtr<ID2D1Bitmap> bitmap;
    ASSERT_TRUE(SUCCEEDED(wic->CreateBitmapFromMemory(kIcon, kIcon, GUID_WICPixelFormat32bppPBGRA,
                                                      kIcon * 4, static_cast<UINT>(pixels.size()),
                                                      pixels.data(), &source)));
    ASSERT_TRUE(SUCCEEDED(target->CreateBitmapFromWicBitmap(source.Get(), &bitmap)));

    D2D1_RECT_F rect = {10.3f, 10.3f, 42.3f, 42.3f};
    target->BeginDraw();
    target->Clear(D2D1::ColorF(0, 0.0f));
    DrawIconBitmap(target.Get(), bitmap.Get(), rect, 1.0f);
    ASSERT_TRUE(SUCCEEDED(target->EndDraw()));
    // 10.3 DIPs are 15.45 device pixels, snapped to 15.

    std::vector<uint8_t> drawn(kCanvas * kCanvas * 4);
    ASSERT_TRUE(SUCCEEDED(
        canvas->CopyPixels(nullptr, kCanvas * 4, static_cast<UINT>(drawn.size()), drawn.data())));
    // Device pixels 15..62 hold the checkerboard exactly, nothing around it.
    int mismatches = 0;
    for (UINT y = 14; y <= 15 + kIcon; ++y) {
        for (UINT x = 14; x <= 15 + kIcon; ++x) {
            const uint8_t* p = &drawn[(y * kCanvas + x) * 4];
            const bool inside = x >= 15 && x < 15 + kIcon && y >= 15 && y < 15 + kIcon;
            const bool dark = (x + y) % 2 == 0;
            mismatches += inside ? p[3] != 255 || p[0] != (dark ? 0 : 255) : p[3] != 0;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// The icon cache against the real loader on a worker of its own; the test
// stands in for the control window and delivers what the worker finished.
// What each worker thread needs for the loader, as the program gives it.
struct LoaderScope {
    LoaderScope() {
        (void)::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_PPV_ARGS(&wic));
        SetThreadImagingFactory(wic.Get());
    }
    ~LoaderScope() {
        SetThreadImagingFactory(nullptr);
        wic.Reset();
    }
    ComApartment com;
    Microsoft::WRL::ComPtr<IWICImagingFactory> wic;
};

class AppIconCacheTest : public ::testing::Test {
protected:
    static AppEntry Entry(const std::wstring& key, const std::wstring& exe) {
        return {key, L"shell:AppsFolder\\" + key, exe, key, {}, false, true};
    }
    // Delivers until `count` icons were stored or the time is up.
    void DeliverUntilStored(int count, DWORD timeoutMs = 10000) {
        (void)test::WaitUntil(
            [&] {
                worker_.RunFinished();
                return stored_ >= count;
            },
            timeoutMs);
    }

    const std::wstring exe_ = test::BuiltFile(L"icon_fixture_large.exe");
    ComApartment com_;
    Worker worker_{nullptr, [] { return std::shared_ptr<void>(std::make_shared<LoaderScope>()); }};
    int stored_ = 0;
    AppIconCache cache_{worker_, [this] { ++stored_; }};
};

TEST_F(AppIconCacheTest, StoresEachIconOnceAndFailuresAsLoaded) {
    const AppEntry found = Entry(L"found", exe_);
    const AppEntry missing = Entry(L"missing", L"C:\\nowhere\\missing.exe");
    cache_.RequestIcon(found, 48, false);
    cache_.RequestIcon(found, 48, false);
    cache_.RequestIcon(missing, 48, true);
    DeliverUntilStored(2);
    EXPECT_EQ(stored_, 2);
    UINT size[2] = {};
    ASSERT_TRUE(cache_.GetIcon(found, 48));
    ASSERT_TRUE(SUCCEEDED(cache_.GetIcon(found, 48)->GetSize(&size[0], &size[1])));
    EXPECT_EQ(size[0] * size[1], 48u * 48u);
    EXPECT_TRUE(cache_.HasIcon(missing, 48));
    EXPECT_FALSE(cache_.GetIcon(missing, 48));
    cache_.PrefetchIcons({found, missing}, 48);
    EXPECT_EQ(worker_.Pending(), 0u);
}

TEST_F(AppIconCacheTest, StoppedLoadsAreNotDeliveredAndLaterOnesAre) {
    for (int i = 0; i < 100; ++i) {
        cache_.RequestIcon(Entry(L"app" + std::to_wstring(i), exe_), 256, false);
    }
    cache_.StopLoading();
    for (int i = 0; i < 100 && worker_.Pending() != 0; ++i) {
        ::Sleep(20);
    }
    worker_.RunFinished();
    EXPECT_EQ(stored_, 0);
    cache_.RequestIcon(Entry(L"app0", exe_), 32, false);
    DeliverUntilStored(1);
    EXPECT_TRUE(cache_.HasIcon(Entry(L"app0", exe_), 32));
}

TEST_F(AppIconCacheTest, IdleTrimAfterHalfAnHourOfTicks) {
    // Last use (0: none since the trim before), now, whether it trims.
    const std::tuple<uint32_t, uint32_t, bool> cases[] = {
        {1000, 1000 + kIconIdleTrimMs, false},
        {1000, 1001 + kIconIdleTrimMs, true},
        {0xFFFFFF00u, kIconIdleTrimMs, true},  // across the wrap of the tick count
        {0, 2 * kIconIdleTrimMs, false},
    };
    for (const auto& [used, now, trimmed] : cases) {
        if (cache_.LoadedCount() == 0) {
            cache_.RequestIcon(Entry(L"found", exe_), 32, false);
            DeliverUntilStored(stored_ + 1);
        }
        if (used != 0) {
            cache_.MarkUsed(used);
        }
        cache_.TrimIfIdle(now);
        EXPECT_EQ(cache_.LoadedCount() == 0, trimmed) << used << " " << now;
    }
}

}  // namespace
}  // namespace corvane
