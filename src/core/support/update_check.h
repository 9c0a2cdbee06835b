#pragma once

#include <string>
#include <string_view>

#include "core/app/app_context.h"
#include "core/support/http_request.h"

// Asking the maker's web server whether a newer version of the program exists.
namespace support {

enum class UpdateOutcome {
    UpToDate,         // the server answered with status "1"
    UpdateAvailable,  // the server answered with any other status, an empty one included
    Failure,          // no usable answer came
};

struct UpdateVerdict {
    UpdateOutcome outcome = UpdateOutcome::Failure;
    // For a failure: the status code that came, empty when none came.
    std::string failedStatusCode;
};

// The form the check posts: "appid=LE&version=<major>.<minor>.<revision>".
[[nodiscard]] std::string updatePostData();

// The text between the first "<status>" and the first "</status>" of the body, unchanged;
// empty when either tag is missing or the closing one does not follow the opening one.
[[nodiscard]] std::string updateStatus(std::string_view body);

// Judges the server's answer: it counts only when its code begins with "2" and its body
// holds more than blanks; then status "1" means up to date and anything else means a
// newer version exists.
[[nodiscard]] UpdateVerdict judgeUpdateResponse(const HttpResponse& response);

// Posts updatePostData() to the update-check script (the path of the update-check address)
// on the server and judges the answer.
[[nodiscard]] UpdateVerdict checkForUpdates(const app::WebServer& server);

}  // namespace support
