// The integrity reader on what Wine can show: every process at one level.

#include "identity/ElevatedWindows.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ElevatedWindows, OurOwnProcessAndAChildReadAtOneLevelAndStayWithinReach) {
    const ProcessIntegrity own = OwnProcessIntegrity();
    ASSERT_EQ(own.reading, ProcessIntegrity::Reading::Level);
    EXPECT_TRUE(own.level >= kIntegrityLow && own.level <= kIntegritySystem) << own.level;
    test::TempFolder folder;
    test::HelperApp helper;
    ASSERT_TRUE(helper.Start(folder.Path(), L"plain.exe", L"normal"));
    for (const DWORD process : {::GetCurrentProcessId(), helper.ProcessId()}) {
        const ProcessIntegrity read = ReadProcessIntegrity(process);
        EXPECT_TRUE(read.reading == own.reading && read.level == own.level) << process;
    }
    EXPECT_FALSE(IsWindowBeyondReach(helper.Window()));
}

}  // namespace
}  // namespace corvane
