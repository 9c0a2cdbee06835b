#include "support/update_check.h"

#include <gtest/gtest.h>

#include "app/version.h"

namespace {

using support::HttpResponse;
using support::UpdateOutcome;

TEST(UpdateCheck, PostDataNamesEditionAndVersion) {
    const std::string expected = "appid=LE&version=" + std::to_string(app::kVersionMajor) + "." +
                                 std::to_string(app::kVersionMinor) + "." + std::to_string(app::kVersionRevision);
    EXPECT_EQ(support::updatePostData(), expected);
}

TEST(UpdateCheck, StatusIsTheTextBetweenTheFirstTags) {
    const std::pair<std::string, std::string> cases[] = {
        {"<status>1</status>", "1"},
        {"<html><status> 1 </status></html>", " 1 "},
        {"<status>2</status><status>1</status>", "2"},
        {"<STATUS>1</STATUS>", ""},
        {"<status>1", ""},
        {"1</status>", ""},
        // the first closing tag counts even when it comes before a later opening tag
        {"</status><status>1</status>", ""},
        {"<status>a<status>b</status>", "a<status>b"},
    };
    for (const auto& [body, status] : cases) {
        EXPECT_EQ(support::updateStatus(body), status) << body;
    }
}

TEST(UpdateCheck, JudgesTheServersAnswer) {
    const std::string failure = "Failure connecting to internet or webserver. HTTP response code: ";
    struct Case {
        HttpResponse response;
        UpdateOutcome outcome;
        std::string message;
    };
    const Case cases[] = {
        {{"<status>1</status>", "200", "OK"}, UpdateOutcome::UpToDate, ""},
        {{"  <status>1</status>\r\n", "204", ""}, UpdateOutcome::UpToDate, ""},
        {{"<status>2</status>", "200", "OK"}, UpdateOutcome::UpdateAvailable, ""},
        {{"<html>new version out</html>", "200", "OK"}, UpdateOutcome::UpdateAvailable, ""},
        {{"<status> 1</status>", "200", "OK"}, UpdateOutcome::UpdateAvailable, ""},
        {{"<status></status>", "200", "OK"}, UpdateOutcome::UpdateAvailable, ""},
        {{"<status>1</status>", "404", "Not Found"}, UpdateOutcome::Failure, failure + "404"},
        {{"<status>1</status>", "301", "Moved"}, UpdateOutcome::Failure, failure + "301"},
        {{"", "200", "OK"}, UpdateOutcome::Failure, failure + "200"},
        {{"     ", "200", "OK"}, UpdateOutcome::Failure, failure + "200"},
        {{"", "", ""}, UpdateOutcome::Failure, failure},
    };
    for (const Case& c : cases) {
        const support::UpdateVerdict verdict = support::judgeUpdateResponse(c.response);
        EXPECT_EQ(verdict.outcome, c.outcome) << c.response.statusCode << " " << c.response.body;
        EXPECT_EQ(verdict.failureMessage, c.message) << c.response.statusCode << " " << c.response.body;
    }
}

TEST(UpdateCheck, UnreachableServerIsAFailure) {
    // nothing can be reached through an address without a host
    const support::UpdateVerdict verdict = support::checkForUpdates("/support/checkupdates.php");
    EXPECT_EQ(verdict.outcome, UpdateOutcome::Failure);
    EXPECT_EQ(verdict.failureMessage, "Failure connecting to internet or webserver. HTTP response code: ");
}

}  // namespace
