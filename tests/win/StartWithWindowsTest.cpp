#include "base/ImagePaths.h"
#include "config/StartWithWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace corvane {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct RunValue {
    LSTATUS status = ERROR_SUCCESS;
    DWORD type = 0;
    std::vector<BYTE> data;  // a string value ends in its terminating zero
};

RunValue ReadRunValue() {
    RunValue v;
    DWORD size = 0;
    const DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
    v.status =
        ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Corvane", flags, &v.type, nullptr, &size);
    if (v.status == ERROR_SUCCESS) {
        v.data.resize(size);
        v.status = ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Corvane", flags, &v.type,
                                  v.data.data(), &size);
        v.data.resize(size);
    }
    return v;
}

// The user's own entry, of any type, is back after the test, a failing one
// included; one that cannot be saved is left alone and the test skipped.
class StartWithWindows : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = ReadRunValue();
        if (saved_.status != ERROR_SUCCESS && saved_.status != ERROR_FILE_NOT_FOUND) {
            GTEST_SKIP() << "the Run value could not be saved: " << saved_.status;
        }
        known_ = true;
    }
    void TearDown() override {
        if (known_ && saved_.status == ERROR_SUCCESS) {
            ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Corvane", saved_.type,
                              saved_.data.data(), static_cast<DWORD>(saved_.data.size()));
        } else if (known_) {
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Corvane");
        }
    }

private:
    bool known_ = false;
    RunValue saved_;
};

TEST_F(StartWithWindows, OnWritesTheQuotedPathAndOffDeletesIt) {
    ASSERT_TRUE(SetStartWithWindows(false));
    EXPECT_FALSE(IsStartWithWindows());
    EXPECT_EQ(ReadRunValue().status, ERROR_FILE_NOT_FOUND);

    ASSERT_TRUE(SetStartWithWindows(true));
    EXPECT_TRUE(IsStartWithWindows());
    const RunValue on = ReadRunValue();
    ASSERT_EQ(on.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(reinterpret_cast<const wchar_t*>(on.data.data()), L"\"" + ExecutablePath() + L"\"");

    ASSERT_TRUE(SetStartWithWindows(false));
    EXPECT_FALSE(IsStartWithWindows());
    EXPECT_TRUE(SetStartWithWindows(false));  // already off is no failure
}

}  // namespace
}  // namespace corvane
