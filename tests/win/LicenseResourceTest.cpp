#include "base/Win32Handles.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace corvane {
namespace {

TEST(LicenseResource, CorvaneExeCarriesTheMitLicenceUnderTheProjectsName) {
    const UniqueModule exe(::LoadLibraryExW(test::BuiltFile(L"corvane.exe").c_str(), nullptr,
                                            LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(exe);
    const HRSRC found = ::FindResourceW(exe.Get(), L"LICENSE", RT_RCDATA);
    ASSERT_NE(found, nullptr);
    const HGLOBAL loaded = ::LoadResource(exe.Get(), found);
    ASSERT_NE(loaded, nullptr);
    const std::string text(static_cast<const char*>(::LockResource(loaded)),
                           ::SizeofResource(exe.Get(), found));
    EXPECT_TRUE(text.starts_with("MIT License")) << text;
    EXPECT_NE(text.find("Corvane"), std::string::npos) << text;
}

}  // namespace
}  // namespace corvane
