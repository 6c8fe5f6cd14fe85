// A bed window over a made-up garden: what only the real window can show (its
// place, paint, answers to the system's size loop, the roll and the clicks).
// The grid, edges and limits themselves are the unit tests' business.

#include "base/Win32Geometry.h"
#include "base/Win32Handles.h"
#include "garden/BedWindow.h"
#include "garden/ItemMenu.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    BedWindow* BedWindowOf(HWND root) override {
        const auto found = std::ranges::find(windows, root, &BedWindow::Hwnd);
        return found != windows.end() ? *found : nullptr;
    }
    void RepaintBeds() override { std::ranges::for_each(windows, &BedWindow::Repaint); }

    Microsoft::WRL::ComPtr<IWICBitmap> icon;
    std::vector<int32_t> iconSizes;
    std::vector<std::wstring> opened;
    std::vector<BedWindow*> windows;
    int saves = 0;
};

constexpr PixelRect kRect{100, 100, 400, 320};

class BedWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // for the imaging factory
        ASSERT_TRUE(CreateGraphicsFactories(graphics_));
        AddBed(kRect, {L"a.txt", L"b.txt", L"c.txt"}, window_);
    }
    void AddBed(const PixelRect& rect, std::initializer_list<const wchar_t*> names,
                BedWindow& window) {
        Bed bed{L"Apps", rect, false, beds_.empty(), {}};
        for (const wchar_t* name : names) {
            GardenItem item = MakeGardenItem(L"C:\\Desk", name, false);
            bed.items.push_back(GardenItemId(item.entry.target));
            items_.emplace(bed.items.back(), std::move(item));
        }
        beds_.push_back(bed);
        host_.windows.push_back(&window);
        ASSERT_TRUE(window.Create());
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
    ItemMenu itemMenu_;
    BedContext context_{
        ::GetModuleHandleW(nullptr), settings_, theme_, graphics_, items_, beds_, host_, itemMenu_};
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
    // Which edge a point is on, and that edges are numbered like WMSZ_*, is
    // BedGeometry's test; here each answer of the window's own.
    const Hit hits[] = {{{101, 200}, HTLEFT}, {{250, 110}, HTCLIENT}, {{500, 500}, HTNOWHERE}};
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

TEST_F(BedWindowTest, DoubleClickBesideTheItemsOpensNothing) {
    ::SendMessageW(window_.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(150, 200));
    EXPECT_TRUE(host_.opened.empty());
}

TEST_F(BedWindowTest, ItemDragMovesOnlyWhenDroppedElsewhereOnAnOpenBed) {
    BedWindow other{context_, 1};
    AddBed({500, 100, 800, 320}, {L"d.txt", L"e.txt", L"f.txt"}, other);
    // Stands for the desktop, a window that is no bed: Wine hands moves over
    // another process's window to that process despite the capture.
    const UniqueWindow plain(::CreateWindowExW(WS_EX_NOACTIVATE, L"STATIC", L"",
                                               WS_POPUP | WS_VISIBLE, 450, 500, 100, 100, nullptr,
                                               nullptr, nullptr, nullptr));
    struct Case {
        POINT to;  // the first row's cells are 84 wide from 24 in, at 34..114 down
        bool otherRolledUp, captureLost;
        const wchar_t* after;  // the x of each c:\\desk\\x.txt, first bed then second
        int saves;
    };
    // Only the last moves anything, so that the others start from the same beds.
    const Case cases[] = {
        {{144, 154}, false, false, L"abcdef", 0}, {{500, 550}, false, false, L"abcdef", 0},
        {{600, 115}, true, false, L"abcdef", 0},  {{618, 154}, false, true, L"abcdef", 0},
        {{618, 154}, false, false, L"bcdaef", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.to.x << "," << c.to.y << " " << c.captureLost);
        beds_[1].collapsed = c.otherRolledUp;
        // Each step is handled before the next comes, as from a hand.
        const POINT path[] = {{166, 154}, {186, 174}, c.to, c.to};
        const DWORD buttons[] = {MOUSEEVENTF_LEFTDOWN, 0, 0, MOUSEEVENTF_LEFTUP};
        for (std::size_t i = 0; i < 4; ++i) {
            test::MovePointer(path[i]);
            test::SendMouse(buttons[i]);
            test::PumpUntil([] { return false; }, 100);
            if (c.captureLost && ::GetCapture() != nullptr) {
                ::ReleaseCapture();
            }
        }
        std::wstring after;
        for (const Bed& bed : beds_) {
            for (const std::wstring& id : bed.items) {
                after += id[id.size() - 5];
            }
        }
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(host_.saves, c.saves);
        EXPECT_FALSE(context_.drag.active);
    }
}

}  // namespace
}  // namespace corvane
