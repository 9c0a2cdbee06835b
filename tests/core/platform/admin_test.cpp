#include "core/platform/admin.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "testing/read_only.h"

TEST(IsNTAdmin, RootIsAnAdministratorAndNobodyIsNot) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root, to compare root with user nobody";
    }
    EXPECT_TRUE(platform::isNTAdmin());
    const testing_support::ChildOutcome asNobody = testing_support::runAsNobody([] { return platform::isNTAdmin(); });
    if (!asNobody.skipReason.empty()) {
        GTEST_SKIP() << asNobody.skipReason;
    }
    EXPECT_EQ(asNobody.answer, false);
}
