#include "core/support/update_check.h"

#include "core/app/texts.h"
#include "core/app/version.h"
#include "core/platform/ascii.h"

namespace support {
namespace {

// Blanks are spaces only: a body of line breaks still counts as an answer.
bool isSuccess(const HttpResponse& response) {
    return response.statusCode.starts_with('2') && !platform::trim(response.body, " ").empty();
}

}  // namespace

std::string updatePostData() {
    return "appid=LE&version=" + std::to_string(app::kVersionMajor) + "." + std::to_string(app::kVersionMinor) + "." +
           std::to_string(app::kVersionRevision);
}

std::string updateStatus(std::string_view body) {
    constexpr std::string_view kOpen = "<status>";
    constexpr std::string_view kClose = "</status>";
    const std::size_t open = body.find(kOpen);
    const std::size_t close = body.find(kClose);
    if (open == std::string_view::npos || close == std::string_view::npos || close < open + kOpen.size()) {
        return {};
    }
    const std::size_t start = open + kOpen.size();
    return std::string(body.substr(start, close - start));
}

UpdateVerdict judgeUpdateResponse(const HttpResponse& response) {
    if (!isSuccess(response)) {
        return {UpdateOutcome::Failure, response.statusCode};
    }
    return {updateStatus(response.body) == "1" ? UpdateOutcome::UpToDate : UpdateOutcome::UpdateAvailable, {}};
}

UpdateVerdict checkForUpdates(const app::WebServer& server) {
    const std::string script = splitUrl(app::programString(app::kUpdateCheckId)).object;
    return judgeUpdateResponse(httpRequest(server.site + "/" + script, updatePostData(), server.port, "", ""));
}

}  // namespace support
