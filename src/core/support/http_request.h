#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

// The program's small HTTP client: one request, one whole answer.
namespace support {

struct HttpResponse {
    std::string body;        // the whole body; empty when the request failed
    std::string statusCode;  // e.g. "200"; empty when no complete answer came
    std::string statusText;  // the reason phrase, e.g. "OK"
};

// Where a request goes: the server's host and the object on it (without a leading '/').
struct RequestTarget {
    std::string host;
    std::string object;
};

// Splits an address the way the request reads it: without any '/' the whole address is
// the host; otherwise every "http://" and then every "https://" (exact case) is removed,
// the host is the text before the first '/' that remains and the object the text after it.
[[nodiscard]] RequestTarget splitUrl(std::string_view url);

// How long a request may go on without progress (less than a byte a second) before it
// gives up.
inline constexpr std::chrono::seconds kDefaultStallLimit{60};

// Sends one HTTP/1.0 request as "Velqor_App": a POST of postData as a form when postData
// is not empty, else a GET. Port 443 speaks TLS (the certificate must be trusted, its host
// name need not match); any other port speaks plain HTTP and asks that no cache answers.
// A request that cannot connect, breaks off, or stalls for stallLimit gives an empty
// response.
[[nodiscard]] HttpResponse httpRequest(std::string_view url, std::string_view postData, std::uint16_t port,
                                       std::string_view user, std::string_view password,
                                       std::chrono::seconds stallLimit = kDefaultStallLimit);

}  // namespace support
