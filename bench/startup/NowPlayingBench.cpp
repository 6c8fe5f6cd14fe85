// What Now Playing costs on the GUI thread: one poll of a playing session
// (served by the stand-in session library given on the command line, as the
// tests register it), a 1280 x 720 cover turned into artwork and its tint,
// and one frame of the card. Prints the median, p90 and the worst of each.
//
//   nowplaying_bench <test_fakemedia.dll> [runs, default 200]

#include "BenchClock.h"
#include "base/MediaSessionApi.h"
#include "base/Win32Handles.h"
#include "nowplaying/Artwork.h"
#include "nowplaying/NowPlayingSource.h"
#include "nowplaying/NowPlayingCard.h"
#include "toolkit/Theme.h"

#include <roapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Microsoft::WRL::ComPtr;
using namespace corvane;

using corvane::bench::NowMs;

void Print(const wchar_t* what, std::vector<double>& ms) {
    std::sort(ms.begin(), ms.end());
    std::wprintf(L"Now Playing %ls: median %.3f ms, p90 %.3f ms, worst %.3f ms (%zu runs)\n", what,
                 ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back(), ms.size());
}

struct QuietHost final : NowPlayingHost {
    void NowPlayingChanged() override {}
    void NowPlayingSwitched(bool) override {}
    std::span<const AppEntry> NowPlayingApps() override { return {}; }
};

// Noise, as a photograph is to a PNG coder: the slowest cover to decode.
ComPtr<IStream> NoisyPng(IWICImagingFactory* wic, UINT width, UINT height) {
    std::vector<uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    uint32_t seed = 12345;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        pixels[i] = (i % 4 == 3) ? 255 : static_cast<uint8_t>(seed >> 24);
    }
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        FAILED(wic->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(width, height)) || FAILED(frame->SetPixelFormat(&format)) ||
        FAILED(frame->WritePixels(height, width * 4, static_cast<UINT>(pixels.size()),
                                  pixels.data())) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
        return nullptr;
    }
    return stream;
}

// Registered for the run only: a prefix that kept it would make the tests
// believe the system has a session manager of its own.
class StandInSession {
public:
    explicit StandInSession(const std::wstring& dll)
        : key_(std::wstring(L"Software\\Microsoft\\WindowsRuntime\\ActivatableClassId\\") +
               sdk::kMediaSessionManagerClass),
          registered_(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_.c_str(), L"DllPath", REG_SZ,
                                        dll.c_str(),
                                        static_cast<DWORD>((dll.size() + 1) * sizeof(wchar_t))) ==
                      ERROR_SUCCESS) {}
    ~StandInSession() {
        if (registered_) {
            ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, key_.c_str());
        }
    }
    StandInSession(const StandInSession&) = delete;
    StandInSession& operator=(const StandInSession&) = delete;
    [[nodiscard]] bool Registered() const { return registered_; }

private:
    std::wstring key_;
    bool registered_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: nowplaying_bench <test_fakemedia.dll> [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(10, _wtoi(argv[2])) : 200;
    ComApartment com;
    (void)::RoInitialize(RO_INIT_SINGLETHREADED);
    GraphicsFactories graphics;
    if (!CreateGraphicsFactories(graphics)) {
        std::fwprintf(stderr, L"no Direct2D\n");
        return 1;
    }

    // A playing session, the way the tests describe one to the stand-in.
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring state = std::wstring(temp) + L"corvane-nowplaying-bench.txt";
    std::ofstream(state.c_str()) << "app=Spotify.exe\ntitle=Song\nartist=Band\nalbum=Record\n"
                                    "status=4\nstart=0\nend=3000000000\nposition=100000000\n"
                                    "pending=0\n";
    ::SetEnvironmentVariableW(L"CORVANE_FAKE_MEDIA", state.c_str());
    const StandInSession standIn(argv[1]);

    QuietHost host;
    Worker worker(nullptr, nullptr);
    NowPlayingSource source(host, worker);
    std::vector<double> polls;
    for (int i = 0; i < runs + 2; ++i) {
        const double t0 = NowMs();
        source.Poll();
        if (i >= 2) {  // the first two ask for the manager and take it
            polls.push_back(NowMs() - t0);
        }
    }
    if (!standIn.Registered() || !source.Snapshot().active) {
        std::fwprintf(stderr, L"the stand-in session did not play\n");
        return 1;
    }
    Print(L"poll of a playing session", polls);

    std::vector<double> covers;
    for (int i = 0; i < std::max(10, runs / 10); ++i) {
        const ComPtr<IStream> png = NoisyPng(graphics.wic.Get(), 1280, 720);
        const double t0 = NowMs();
        const ComPtr<IWICBitmap> artwork = ArtworkFromStream(graphics.wic.Get(), png.Get());
        const ArtworkTint tint = ArtworkTintOf(graphics.wic.Get(), artwork.Get());
        covers.push_back(NowMs() - t0);
        if (!artwork || tint.a == 0) {
            std::fwprintf(stderr, L"no artwork from the cover\n");
            return 1;
        }
    }
    Print(L"1280 x 720 cover to artwork and tint", covers);

    const Settings settings;
    const Theme theme;
    NowPlayingCard card(NowPlayingCardContext{.instance = ::GetModuleHandleW(nullptr),
                                              .graphics = graphics,
                                              .settings = settings,
                                              .theme = theme,
                                              .source = source});
    card.ShowCard(RECT{600, 0, 800, 28}, false, 96);
    const HWND window = ::FindWindowW(kNowPlayingCardClass, nullptr);
    if (window == nullptr) {
        std::fwprintf(stderr, L"no card\n");
        return 1;
    }
    std::vector<double> frames;
    for (int i = 0; i < runs; ++i) {
        const double t0 = NowMs();
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        frames.push_back(NowMs() - t0);
    }
    // The first frame makes the render target, the text formats and the bitmaps, and
    // is the first text this process draws.
    std::wprintf(L"Now Playing card, first frame: %.3f ms\n", frames.front());
    frames.erase(frames.begin());
    Print(L"card frame", frames);
    // A card made again, as after a theme change, in a process that has drawn
    // text before: what a first click costs in the running program.
    card.DestroyCard();
    const double t0 = NowMs();
    card.ShowCard(RECT{600, 0, 800, 28}, false, 96);
    ::UpdateWindow(::FindWindowW(kNowPlayingCardClass, nullptr));
    std::wprintf(L"Now Playing card made again, shown and painted: %.3f ms\n", NowMs() - t0);
    card.DestroyCard();
    ::DeleteFileW(state.c_str());
    return 0;
}
