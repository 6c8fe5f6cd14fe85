// Which processes are out of reach, from both integrity levels.

#include "identity/ElevationRules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ElevationRules, OnlyAHigherProcessOrOneGuardedFromAnUnelevatedOneIsOutOfReach) {
    using R = ProcessIntegrity::Reading;
    const ProcessIntegrity low{R::Level, kIntegrityLow, false},
        medium{R::Level, kIntegrityMedium, false}, high{R::Level, kIntegrityHigh, false},
        system{R::Level, kIntegritySystem, false}, uiAccess{R::Level, kIntegrityMedium, true},
        guarded{R::TokenRefused, 0, false}, unknown{};
    const struct {
        ProcessIntegrity own, target;
        bool beyondReach;
    } rows[] = {
        {medium, medium, false}, {medium, low, false},    {medium, high, true},
        {medium, system, true},  {medium, guarded, true}, {medium, unknown, false},
        {low, medium, true},     {high, system, true},    {high, high, false},
        {high, guarded, false},  {uiAccess, high, false}, {unknown, high, false},
        {guarded, high, false},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(IsBeyondReach(rows[i].own, rows[i].target), rows[i].beyondReach) << "row " << i;
    }
}

}  // namespace
}  // namespace corvane
