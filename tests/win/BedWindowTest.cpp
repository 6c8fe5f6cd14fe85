// A bed window over a made-up garden: what only the real window can show (its
// place, paint, answers to the system's size loop, the roll and the clicks).
// The grid, edges and limits themselves are the unit tests' business.

#include "base/Win32Geometry.h"
#include "garden/BedWindow.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

class FakeHost final : public BedHost {
public:
    IWICBitmapSource* ItemIcon(const GardenItem&, int32_t px) override {
        iconSizes.push_back(px);
        return icon.Get();
    }
    void SaveSoon() override { ++saves; }
    std::vector<PixelRect> OtherBedRects(std::size_t) override { return {}; }
    void SelectionChanged(std::size_t) override {}
    void OpenItem(const std::wstring& id) override { opened.push_back(id); }
    void ItemMenu(std::size_t, const std::wstring&, POINT) override {}
    void BedMenu(std::size_t, POINT) override {}

    Microsoft::WRL::ComPtr<IWICBitmap> icon;
    std::vector<int32_t> iconSizes;
    std::vector<std::wstring> opened;
    int saves = 0;
};

constexpr PixelRect kRect{100, 100, 400, 320};

class BedWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // for the imaging factory
        ASSERT_TRUE(CreateGraphicsFactories(graphics_));
        Bed bed{L"Apps", kRect, false, true, {}};
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) {
            GardenItem item = MakeGardenItem(L"C:\\Desk", name, false);
            bed.items.push_back(GardenItemId(item.entry.target));
            items_.emplace(bed.items.back(), std::move(item));
        }
        beds_.push_back(bed);
        ASSERT_TRUE(window_.Create());
    }
    void TearDown() override {
        window_.Destroy();
        host_.icon.Reset();
        graphics_ = {};
        ::CoUninitialize();
    }

    RECT WindowRect() const {
        RECT r = {};
        ::GetWindowRect(window_.Hwnd(), &r);
        return r;
    }
    void Paint() const {
        ::RedrawWindow(window_.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

    GraphicsFactories graphics_;
    Settings settings_;
    Theme theme_;
    GardenItems items_;
    std::vector<Bed> beds_;
    FakeHost host_;
    BedContext context_{
        ::GetModuleHandleW(nullptr), settings_, theme_, graphics_, items_, beds_, host_};
    BedWindow window_{context_, 0};
};

TEST_F(BedWindowTest, ShowsAtItsRectangleAndPaintsItsIcons) {
    EXPECT_EQ(ToPixelRect(WindowRect()), kRect);
    EXPECT_TRUE(::IsWindowVisible(window_.Hwnd()));
    Paint();
    ASSERT_TRUE(graphics_.wic);
    ASSERT_HRESULT_SUCCEEDED(graphics_.wic->CreateBitmap(38, 38, GUID_WICPixelFormat32bppPBGRA,
                                                         WICBitmapCacheOnLoad, &host_.icon));
    Paint();
    Paint();
    // Asked while none was loaded, then once per item: the bitmaps are kept.
    EXPECT_EQ(host_.iconSizes, std::vector<int32_t>(6, 38));
}

TEST_F(BedWindowTest, AnswersTheSizeLoop) {
    struct Hit {
        POINT screen;
        LRESULT code;
    };
    const Hit hits[] = {
        {{101, 200}, HTLEFT},    {{399, 319}, HTBOTTOMRIGHT}, {{250, 101}, HTTOP},
        {{250, 110}, HTCLIENT},  {{398, 200}, HTRIGHT},       {{250, 318}, HTBOTTOM},
        {{500, 500}, HTNOWHERE},
    };
    for (const Hit& h : hits) {
        SCOPED_TRACE(testing::Message() << h.screen.x << "," << h.screen.y);
        EXPECT_EQ(
            ::SendMessageW(window_.Hwnd(), WM_NCHITTEST, 0, MAKELPARAM(h.screen.x, h.screen.y)),
            h.code);
    }
    struct Sizing {
        bool collapsed;
        WPARAM edge;
        RECT proposed;
        RECT kept;
    };
    const Sizing sizings[] = {
        {false, WMSZ_TOPLEFT, {350, 300, 400, 320}, {220, 200, 400, 320}},
        {false, WMSZ_BOTTOMRIGHT, {100, 100, 150, 150}, {100, 100, 280, 220}},
        {true, WMSZ_RIGHT, {100, 100, 150, 320}, {100, 100, 280, 130}},
    };
    for (const Sizing& s : sizings) {
        SCOPED_TRACE(s.edge);
        beds_[0].collapsed = s.collapsed;
        RECT r = s.proposed;
        ::SendMessageW(window_.Hwnd(), WM_SIZING, s.edge, reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(ToPixelRect(r), ToPixelRect(s.kept));
    }
}

TEST_F(BedWindowTest, HeaderClickRollsUpAndBack) {
    // The pointer rests on the header, so that no move of its own drags the bed.
    test::MovePointer({kRect.left + 50, kRect.top + 15});
    for (const LONG height : {30L, 220L}) {
        SCOPED_TRACE(height);
        ::PostMessageW(window_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 15));
        ::PostMessageW(window_.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(50, 15));
        EXPECT_TRUE(
            test::PumpUntil([&] { return WindowRect().bottom - kRect.top == height; }, 300));
        EXPECT_EQ(WindowRect().left, kRect.left);
    }
    EXPECT_FALSE(beds_[0].collapsed);
    EXPECT_EQ(host_.saves, 2);
}

TEST_F(BedWindowTest, HeaderDragMovesAndStoresWithoutRolling) {
    // Sent, not posted: no move of the real pointer comes in between.
    const HWND w = window_.Hwnd();
    for (const bool lostCapture : {false, true}) {
        SCOPED_TRACE(lostCapture);
        const PixelRect start = ToPixelRect(WindowRect());
        ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 15));
        ::SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 65));
        lostCapture ? (void)::ReleaseCapture() : (void)::SendMessageW(w, WM_LBUTTONUP, 0, 0);
        const PixelRect moved{start.left + 100, start.top + 50, start.right + 100,
                              start.bottom + 50};
        EXPECT_EQ(ToPixelRect(WindowRect()), moved);
        EXPECT_EQ(beds_[0].rect, moved);
    }
    EXPECT_FALSE(beds_[0].collapsed);
    EXPECT_EQ(host_.saves, 2);
}

TEST_F(BedWindowTest, DoubleClickOpensTheItemUnderThePointer) {
    // 300 DIPs hold three columns; the grid starts 34 DIPs down.
    const BedGrid grid = LayoutBed(300, 220, 3, 0, false);
    for (std::size_t i = 0; i < 3; ++i) {
        const PointRect cell = BedCellRect(grid, static_cast<int32_t>(i));
        const auto x = static_cast<WORD>((cell.left + cell.right) / 2);
        const auto y = static_cast<WORD>(cell.top + 20);
        ::SendMessageW(window_.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    }
    ::SendMessageW(window_.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(150, 200));
    EXPECT_EQ(host_.opened, beds_[0].items);
}

}  // namespace
}  // namespace corvane
