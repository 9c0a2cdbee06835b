#include "core/support/http_request.h"

#include <curl/curl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

namespace support {
namespace {

constexpr std::uint16_t kSecurePort = 443;
// An answer larger than this is not one the program asked for; it is dropped.
constexpr std::size_t kMaxBodyBytes = 64 * 1024 * 1024;
constexpr long kMaxRedirects = 10;
// Where the common distributions keep the PC's trusted certificates in one file: Debian, Ubuntu
// and Arch; Fedora and Red Hat; openSUSE; Alpine. The library looks only where the system it was
// built on keeps them, and the program's folder carries its own library to every PC.
constexpr std::array<const char*, 5> kCertificateStores = {
    "/etc/ssl/certs/ca-certificates.crt", "/etc/pki/tls/certs/ca-bundle.crt", "/etc/ssl/ca-bundle.pem",
    "/etc/pki/ca-trust/extracted/pem/tls-ca-bundle.pem", "/etc/ssl/cert.pem"};

struct CurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;
using CurlUrl = std::unique_ptr<CURLU, CurlDeleter>;
using CurlHeaders = std::unique_ptr<curl_slist, CurlDeleter>;

// Text with every occurrence of what removed, in one pass from the left.
std::string removeEvery(std::string_view text, std::string_view what) {
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, from)) {
        result.append(text.substr(from, at - from));
        from = at + what.size();
    }
    result.append(text.substr(from));
    return result;
}

// The object as it may stand in a request line: blanks, control bytes, bytes beyond ASCII
// and '#' (which would cut the object short) are written as %XX.
std::string escapeObject(std::string_view object) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const char c : object) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7f || c == '#') {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0x0f];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

// The address curl fetches: the scheme the port calls for, the host, the port and the
// object with a leading '/' (its query, if any, kept apart so that curl leaves it as is).
// Empty when the host is not a valid host name.
CurlUrl requestAddress(const RequestTarget& target, std::uint16_t port) {
    CurlUrl address(curl_url());
    if (!address) {
        return nullptr;
    }
    const std::string object = escapeObject(target.object);
    const std::size_t question = object.find('?');
    const std::string path = "/" + object.substr(0, question);
    const std::string portText = std::to_string(port);
    const bool ok =
        curl_url_set(address.get(), CURLUPART_SCHEME, port == kSecurePort ? "https" : "http", 0) == CURLUE_OK &&
        curl_url_set(address.get(), CURLUPART_HOST, target.host.c_str(), 0) == CURLUE_OK &&
        curl_url_set(address.get(), CURLUPART_PORT, portText.c_str(), 0) == CURLUE_OK &&
        curl_url_set(address.get(), CURLUPART_PATH, path.c_str(), 0) == CURLUE_OK &&
        (question == std::string::npos ||
         curl_url_set(address.get(), CURLUPART_QUERY, object.substr(question + 1).c_str(), 0) == CURLUE_OK);
    return ok ? std::move(address) : nullptr;
}

CurlHeaders requestHeaders(bool isPost, bool isSecure) {
    curl_slist* headers = nullptr;
    const auto add = [&headers](const char* header) {
        if (curl_slist* longer = curl_slist_append(headers, header)) {
            headers = longer;
        }
    };
    if (isPost) {
        add("Content-Type: application/x-www-form-urlencoded");
    }
    if (!isSecure) {
        // Every check must reach the server itself, never a cache on the way.
        add("Cache-Control: no-cache");
        add("Pragma: no-cache");
    }
    return CurlHeaders(headers);
}

size_t appendBody(char* data, size_t size, size_t count, void* userData) {
    auto* body = static_cast<std::string*>(userData);
    const size_t bytes = size * count;
    if (body->size() + bytes > kMaxBodyBytes) {
        return 0;  // stops the transfer
    }
    body->append(data, bytes);
    return bytes;
}

// Keeps the code and reason phrase of the last status line: after a redirect the answer
// that counts is the final one.
size_t readStatusLine(char* data, size_t size, size_t count, void* userData) {
    auto* response = static_cast<HttpResponse*>(userData);
    const size_t bytes = size * count;
    std::string_view line(data, bytes);
    if (!line.starts_with("HTTP/")) {
        return bytes;
    }
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    const std::size_t codeStart = line.find(' ');
    const std::size_t codeEnd = codeStart == std::string_view::npos ? codeStart : line.find(' ', codeStart + 1);
    response->statusCode = codeStart == std::string_view::npos
                               ? std::string()
                               : std::string(line.substr(codeStart + 1, codeEnd - (codeStart + 1)));
    response->statusText = codeEnd == std::string_view::npos ? std::string() : std::string(line.substr(codeEnd + 1));
    return bytes;
}

// The PC's store of trusted certificates, wherever its distribution keeps it.
void setCertificateStore(CURL* handle) {
    const auto found =
        std::ranges::find_if(kCertificateStores, [](const char* path) { return ::access(path, R_OK) == 0; });
    if (found != kCertificateStores.end()) {
        curl_easy_setopt(handle, CURLOPT_CAINFO, *found);
    }
}

void setCredentials(CURL* handle, const std::string& user, const std::string& password) {
    if (user.empty()) {
        return;
    }
    curl_easy_setopt(handle, CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(handle, CURLOPT_PASSWORD, password.c_str());
}

void setTransferLimits(CURL* handle, std::chrono::seconds stallLimit) {
    const long seconds = static_cast<long>(stallLimit.count());
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, seconds);
    // Less than one byte a second for the whole limit counts as a stalled server.
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, seconds);
}

}  // namespace

RequestTarget splitUrl(std::string_view url) {
    if (url.find('/') == std::string_view::npos) {
        return {std::string(url), {}};
    }
    const std::string rest = removeEvery(removeEvery(url, "http://"), "https://");
    const std::size_t slash = rest.find('/');
    if (slash == std::string::npos) {
        return {rest, {}};
    }
    return {rest.substr(0, slash), rest.substr(slash + 1)};
}

HttpResponse httpRequest(std::string_view url, std::string_view postData, std::uint16_t port, std::string_view user,
                         std::string_view password, std::chrono::seconds stallLimit) {
    const CurlHandle handle(curl_easy_init());
    const CurlUrl address = requestAddress(splitUrl(url), port);
    if (!handle || !address) {
        return {};
    }
    CURL* const curl = handle.get();
    const bool isPost = !postData.empty();
    const CurlHeaders headers = requestHeaders(isPost, port == kSecurePort);
    const std::string userText(user);
    const std::string passwordText(password);
    HttpResponse response;

    curl_easy_setopt(curl, CURLOPT_CURLU, address.get());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Velqor_App");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
    if (isPost) {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(postData.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, postData.data());
    }
    // The server's certificate must be trusted; its name may differ from the host's.
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    setCertificateStore(curl);
    setCredentials(curl, userText, passwordText);
    setTransferLimits(curl, stallLimit);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response.body);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, readStatusLine);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &response);

    // A body cut short or a stalled server is no answer at all.
    if (curl_easy_perform(curl) != CURLE_OK) {
        return {};
    }
    return response;
}

}  // namespace support
