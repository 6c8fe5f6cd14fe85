// The app-window filter and window identities on real windows of another
// process, one for each fact the filter reads.

#include "base/ImagePaths.h"
#include "identity/AppTargets.h"
#include "identity/AppWindows.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

TEST(AppWindows, OnlyAppWindowsAreListedWithTheirExecutableUntilTheyAreGone) {
    test::TempFolder folder;
    test::HelperApp helper;
    ASSERT_TRUE(helper.Start(folder.Path(), L"kinds.exe", L"kinds"));
    std::vector<std::pair<std::wstring, bool>> expected = {{test::kHelperWindowClass, true}};
    for (const test::HelperWindowKind& kind : test::kHelperWindowKinds) {
        expected.emplace_back(kind.className, kind.isApp);
    }
    std::map<HWND, WindowIdentity> listed;
    for (const WindowIdentity& identity : EnumerateAppWindows()) {
        listed[ToHwnd(identity.window)] = identity;
    }
    const std::wstring helperKey = NormalizePathKey(helper.ExePath());
    for (const auto& [className, isApp] : expected) {
        SCOPED_TRACE(std::string(className.begin(), className.end()));
        const auto windows = test::FindProcessWindows(helper.ProcessId(), className.c_str());
        ASSERT_EQ(windows.size(), 1u);
        EXPECT_EQ(IsDockAppWindow(windows[0]), isApp);
        const auto found = listed.find(windows[0]);
        ASSERT_EQ(found != listed.end(), isApp);
        if (isApp) {
            EXPECT_EQ(found->second.pathKey, helperKey);
            EXPECT_TRUE(found->second.appId.empty());  // unpackaged and sets none
        }
    }

    // Identities are kept while their windows live.
    const HWND main = helper.Window();
    PruneIdentityCache();
    EXPECT_NE(TheIdentityCache().Find(ToWindowId(main)), nullptr);
    helper.Stop();
    ASSERT_FALSE(::IsWindow(main));
    PruneIdentityCache();
    EXPECT_EQ(TheIdentityCache().Find(ToWindowId(main)), nullptr);
}

TEST(AppWindows, AFrameHostsFrameIsTheAppOfTheCoreWindowInsideIt) {
    test::TempFolder folder;
    test::HelperApp host;
    ASSERT_TRUE(host.Start(folder.Path(), L"ApplicationFrameHost.exe", L"frame"));
    const HWND frame = test::FindProcessWindows(host.ProcessId(), L"ApplicationFrameWindow").at(0);
    // This process plays the app whose core window the frame holds.
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &::DefWindowProcW;
    wc.lpszClassName = kAppCoreWindowClass.data();
    ASSERT_TRUE(::RegisterClassW(&wc) && ::CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD, 0, 0,
                                                           9, 9, frame, nullptr, nullptr, nullptr));
    (void)EnumerateAppWindows();
    const IdentityCache::Entry* known = TheIdentityCache().Find(ToWindowId(frame));
    ASSERT_NE(known, nullptr);
    EXPECT_EQ(known->pathKey, NormalizePathKey(ProcessImagePath(::GetCurrentProcessId())));
}

}  // namespace
}  // namespace corvane
