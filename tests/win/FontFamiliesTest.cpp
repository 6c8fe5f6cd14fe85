// The font families, chosen by what the system has installed.

#include "toolkit/FontFamilies.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>

namespace corvane {
namespace {

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Asked through GDI, independently of the DirectWrite lookup under test.
bool Installed(const wchar_t* family) {
    LOGFONTW query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(query.lfFaceName, LF_FACESIZE, family, _TRUNCATE);
    bool found = false;
    HDC dc = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(dc, &query, &NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, dc);
    return found;
}

TEST(FontFamilies, TheNewerFamilyWhenInstalledElseTheOlderOne) {
    EXPECT_EQ(TextFontFamily(),
              Installed(L"Segoe UI Variable Text") ? L"Segoe UI Variable Text" : L"Segoe UI");
    EXPECT_EQ(IconFontFamily(),
              Installed(L"Segoe Fluent Icons") ? L"Segoe Fluent Icons" : L"Segoe MDL2 Assets");
}

}  // namespace
}  // namespace corvane
