// Feeds arbitrary server answers to the update check's judge: the first byte picks the
// status code, the rest is the body. Besides not crashing, the verdict must agree with
// the status element it was drawn from, and an address split must never lose its host.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/support/http_request.h"
#include "core/support/update_check.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string statusCodeFrom(std::uint8_t selector) {
    static constexpr std::string_view kCodes[] = {"200", "204", "2", "404", "500", "301", "", "2xx"};
    return std::string(kCodes[selector % std::size(kCodes)]);
}

void checkVerdict(const support::HttpResponse& response) {
    const support::UpdateVerdict verdict = support::judgeUpdateResponse(response);
    const std::string status = support::updateStatus(response.body);
    require(status.size() <= response.body.size());
    require(response.body.find(status) != std::string::npos);
    switch (verdict.outcome) {
        case support::UpdateOutcome::UpToDate:
            require(status == "1" && verdict.failedStatusCode.empty());
            break;
        case support::UpdateOutcome::UpdateAvailable:
            require(status != "1" && verdict.failedStatusCode.empty());
            break;
        case support::UpdateOutcome::Failure:
            require(verdict.failedStatusCode == response.statusCode);
            break;
    }
}

void checkSplit(std::string_view url) {
    const support::RequestTarget target = support::splitUrl(url);
    require(target.host.find('/') == std::string::npos);
    require(target.host.size() + target.object.size() <= url.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string body(reinterpret_cast<const char*>(data) + 1, size - 1);
    checkVerdict({body, statusCodeFrom(data[0]), "OK"});
    checkSplit(body);
    return 0;
}
