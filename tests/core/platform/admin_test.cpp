#include "core/platform/admin.h"

#include <gtest/gtest.h>

#include "testing/read_only.h"

TEST(IsNTAdmin, RootIsAnAdministratorAndNobodyIsNot) {
    const testing_support::ChildOutcome asNobody = testing_support::runAsNobody([] { return platform::isNTAdmin(); });
    if (!asNobody.skipReason.empty()) {
        GTEST_SKIP() << "needs root, to compare root with user nobody: " << asNobody.skipReason;
    }
    EXPECT_TRUE(platform::isNTAdmin() && asNobody.answer == false);
}
