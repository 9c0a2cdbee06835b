#include "core/support/http_request.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <future>

#include "testing/local_server.h"

using namespace std::chrono_literals;

// The server logs every request that reaches it, which shows how the address was split into
// host and object. libcurl takes the proxy for secure requests from the environment, so the
// server, standing in as one, sees a request to port 443 ask for a tunnel without anything
// listening on 443. The form a POST sends is checked with the update check's request.
TEST(HttpRequest, SplitsTheAddressFollowsAMoveAndGivesTheWholeAnswerOrNothingInTime) {
    const std::string payload = std::string(300'000, '\0') + "end";
    testing_support::LocalServer server;
    server.Get("/old", [](const httplib::Request&, httplib::Response& reply) { reply.set_redirect("/new"); });
    server.Get("/new", [&](const httplib::Request&, httplib::Response& reply) { reply.set_content(payload, "a/b"); });
    server.Get("/short", [](const httplib::Request&, httplib::Response& reply) {
        reply.set_content_provider(100, "text/html", [](std::size_t, std::size_t, httplib::DataSink& sink) {
            sink.write("<status>1</status>", 18);
            return false;  // the connection closes 82 bytes short
        });
    });
    std::promise<void> release;  // destroyed before the server, so the stalled answer ends
    server.Get("/stall",
               [answer = release.get_future().share()](const httplib::Request&, httplib::Response&) { answer.wait(); });
    std::string arrived;
    server.set_pre_routing_handler([&](const httplib::Request& request, httplib::Response&) {
        arrived += request.method + " " + request.target + "\n";
        return httplib::Server::HandlerResponse::Unhandled;
    });
    ::setenv("https_proxy", ("http://127.0.0.1:" + std::to_string(server.port)).c_str(), 1);
    ::unsetenv("no_proxy");
    ::unsetenv("NO_PROXY");
    const std::tuple<const char*, std::uint16_t, std::string> cases[] = {
        {"http://127.0.0.1/old", server.port, "200 OK " + payload},
        {"127.0.0.1", server.port, "404 Not Found "},  // without a '/' the whole address is the host
        {"https://127.0.0.1/x?to=http://y/", server.port, "404 Not Found "},  // every scheme goes
        {"HTTP://127.0.0.1/x", server.port, "  "},                            // only lower-case ones
        {"http://127.0.0.2/support/checkupdates.php", server.port, "  "},     // refused: it listens on 127.0.0.1
        {"http://bad host/x", server.port, "  "},
        {"http://127.0.0.1/short", server.port, "  "},
        {"http://127.0.0.1/stall", server.port, "  "},
        {"https://127.0.0.1/support/", 443, "  "},
    };
    for (const auto& [url, port, expected] : cases) {
        const auto start = std::chrono::steady_clock::now();
        const support::HttpResponse response = support::httpRequest(url, "", port, "", "", 1s);
        EXPECT_TRUE(response.statusCode + " " + response.statusText + " " + response.body == expected)
            << url << ": " << response.statusCode << " and " << response.body.size() << " bytes";
        EXPECT_LT(std::chrono::steady_clock::now() - start, 10s) << url;
    }
    ::unsetenv("https_proxy");
    EXPECT_EQ(arrived, "GET /old\nGET /new\nGET /\nGET /x?to=y/\nGET /short\nGET /stall\nCONNECT 127.0.0.1:443\n");
}
