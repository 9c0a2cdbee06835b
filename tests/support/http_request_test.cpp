#include "support/http_request.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;
using support::httpRequest;
using support::HttpResponse;

// What arrived at the server.
struct ArrivedRequest {
    std::string method;
    std::string path;
    std::string version;
    httplib::Headers headers;
    std::string body;
};

// A real HTTP server on 127.0.0.1 and a free port, running while the test runs.
class LocalServer {
public:
    LocalServer() {
        m_port = static_cast<std::uint16_t>(m_server.bind_to_any_port("127.0.0.1"));
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
    }
    ~LocalServer() {
        m_server.stop();
        m_thread.join();
    }
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    httplib::Server& routes() { return m_server; }
    [[nodiscard]] std::uint16_t port() const { return m_port; }
    [[nodiscard]] std::string address(std::string_view path) const { return "http://127.0.0.1" + std::string(path); }

    void record(const httplib::Request& request) {
        const std::lock_guard lock(m_mutex);
        m_arrived = {request.method, request.path, request.version, request.headers, request.body};
    }
    [[nodiscard]] ArrivedRequest arrived() {
        const std::lock_guard lock(m_mutex);
        return m_arrived;
    }

private:
    httplib::Server m_server;
    std::uint16_t m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    ArrivedRequest m_arrived;
};

std::string header(const httplib::Headers& headers, const std::string& name) {
    const auto found = headers.find(name);
    return found == headers.end() ? std::string("<none>") : found->second;
}

bool waitReadable(int socket, std::chrono::milliseconds limit) {
    pollfd entry{socket, POLLIN, 0};
    return poll(&entry, 1, static_cast<int>(limit.count())) == 1;
}

// A listening socket on 127.0.0.1 and a free port; with listening off, the port refuses.
int openSocket(bool listening, std::uint16_t& port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (bind(socket, reinterpret_cast<sockaddr*>(&address), length) != 0 || (listening && listen(socket, 1) != 0) ||
        getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ADD_FAILURE() << "cannot open a local socket";
    }
    port = ntohs(address.sin_port);
    return socket;
}

// A server that speaks raw bytes on one connection: it reads the request head, sends the
// reply it was given and closes, or with stall set, sends nothing and waits for the
// client to give up.
class RawServer {
public:
    explicit RawServer(std::string reply, bool stall = false) : m_reply(std::move(reply)), m_stall(stall) {
        m_listener = openSocket(true, m_port);
        m_thread = std::thread([this] { serveOne(); });
    }
    ~RawServer() {
        shutdown(m_listener, SHUT_RDWR);
        m_thread.join();
        close(m_listener);
    }
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    [[nodiscard]] std::uint16_t port() const { return m_port; }

private:
    void serveOne() {
        if (!waitReadable(m_listener, 20s)) {
            return;
        }
        const int connection = accept(m_listener, nullptr, nullptr);
        if (connection < 0) {
            return;
        }
        readRequestHead(connection);
        if (m_stall) {
            waitReadable(connection, 20s);  // wakes when the client closes
        } else {
            (void)send(connection, m_reply.data(), m_reply.size(), MSG_NOSIGNAL);
            shutdown(connection, SHUT_WR);
        }
        close(connection);
    }

    static void readRequestHead(int connection) {
        std::string head;
        char buffer[1024];
        while (head.find("\r\n\r\n") == std::string::npos && waitReadable(connection, 5s)) {
            const ssize_t got = recv(connection, buffer, sizeof(buffer), 0);
            if (got <= 0) {
                return;
            }
            head.append(buffer, static_cast<std::size_t>(got));
        }
    }

    std::string m_reply;
    bool m_stall;
    int m_listener = -1;
    std::uint16_t m_port = 0;
    std::thread m_thread;
};

TEST(HttpRequest, SplitsAddressIntoHostAndObject) {
    struct Case {
        std::string url;
        std::string host;
        std::string object;
    };
    const Case cases[] = {
        {"www.velqor.example", "www.velqor.example", ""},
        {"http://www.velqor.example/support/checkupdates.php", "www.velqor.example", "support/checkupdates.php"},
        {"https://www.velqor.example/a/b?x=1&y=2", "www.velqor.example", "a/b?x=1&y=2"},
        {"www.velqor.example/support/", "www.velqor.example", "support/"},
        {"http://www.velqor.example", "www.velqor.example", ""},
        // the schemes are removed only when written in lower case
        {"HTTP://www.velqor.example/x", "HTTP:", "/www.velqor.example/x"},
        // every occurrence goes, not only the leading one
        {"http://host/go?to=http://other/", "host", "go?to=other/"},
    };
    for (const Case& c : cases) {
        const support::RequestTarget target = support::splitUrl(c.url);
        EXPECT_EQ(target.host, c.host) << c.url;
        EXPECT_EQ(target.object, c.object) << c.url;
    }
}

TEST(HttpRequest, PostSendsFormAsHttp10WithoutCacheAndEmptyPostDataSendsPlainGet) {
    LocalServer server;
    const auto answer = [&](const httplib::Request& request, httplib::Response& reply) {
        server.record(request);
        reply.set_content("<status>1</status>", "text/html");
    };
    server.routes().Post("/support/checkupdates.php", answer);
    server.routes().Get("/support/", answer);

    const HttpResponse response =
        httpRequest(server.address("/support/checkupdates.php"), "appid=LE&version=1.0.12", server.port(), "", "");

    ArrivedRequest arrived = server.arrived();
    EXPECT_EQ(arrived.method, "POST");
    EXPECT_EQ(arrived.path, "/support/checkupdates.php");
    EXPECT_EQ(arrived.version, "HTTP/1.0");
    EXPECT_EQ(header(arrived.headers, "User-Agent"), "Velqor_App");
    EXPECT_EQ(header(arrived.headers, "Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(header(arrived.headers, "Cache-Control"), "no-cache");
    EXPECT_EQ(header(arrived.headers, "Pragma"), "no-cache");
    EXPECT_EQ(header(arrived.headers, "Authorization"), "<none>");
    EXPECT_EQ(arrived.body, "appid=LE&version=1.0.12");
    EXPECT_EQ(response.body, "<status>1</status>");
    EXPECT_EQ(response.statusCode, "200");
    EXPECT_EQ(response.statusText, "OK");

    EXPECT_EQ(httpRequest(server.address("/support/"), "", server.port(), "", "").body, "<status>1</status>");
    arrived = server.arrived();
    EXPECT_EQ(arrived.method, "GET");
    EXPECT_EQ(arrived.path, "/support/");
    EXPECT_EQ(header(arrived.headers, "Content-Type"), "<none>");
    EXPECT_EQ(header(arrived.headers, "Pragma"), "no-cache");
    EXPECT_EQ(arrived.body, "");
}

TEST(HttpRequest, ErrorAnswerKeepsItsBodyCodeAndReason) {
    LocalServer server;
    server.routes().Post("/gone", [](const httplib::Request&, httplib::Response& reply) {
        reply.status = 404;
        reply.set_content("no such script", "text/plain");
    });
    const HttpResponse response = httpRequest(server.address("/gone"), "a=b", server.port(), "", "");
    EXPECT_EQ(response.body, "no such script");
    EXPECT_EQ(response.statusCode, "404");
    EXPECT_EQ(response.statusText, "Not Found");

    // the reason phrase is taken as the server wrote it
    RawServer raw("HTTP/1.0 299 Gone Fishing Today\r\nContent-Length: 5\r\n\r\nhello");
    const HttpResponse rawResponse = httpRequest("http://127.0.0.1/x", "", raw.port(), "", "");
    EXPECT_EQ(rawResponse.statusCode, "299");
    EXPECT_EQ(rawResponse.statusText, "Gone Fishing Today");
    EXPECT_EQ(rawResponse.body, "hello");
}

TEST(HttpRequest, LargeBinaryBodyIsReadWhole) {
    std::string payload;
    for (int i = 0; i < 300'000; ++i) {
        payload += static_cast<char>(i % 251);  // NUL bytes included
    }
    LocalServer server;
    server.routes().Get("/big", [&](const httplib::Request&, httplib::Response& reply) {
        reply.set_content(payload, "application/octet-stream");
    });

    const HttpResponse response = httpRequest(server.address("/big"), "", server.port(), "", "");

    EXPECT_EQ(response.body.size(), payload.size());
    EXPECT_TRUE(response.body == payload);
}

TEST(HttpRequest, UserAndPasswordReachTheServer) {
    LocalServer server;
    server.routes().Get("/private", [](const httplib::Request& request, httplib::Response& reply) {
        // "dorvane:secret" in base 64
        if (request.get_header_value("Authorization") != "Basic ZG9ydmFuZTpzZWNyZXQ=") {
            reply.status = 401;
            reply.set_header("WWW-Authenticate", "Basic realm=\"support\"");
            return;
        }
        reply.set_content("inside", "text/plain");
    });

    const HttpResponse response = httpRequest(server.address("/private"), "", server.port(), "dorvane", "secret");

    EXPECT_EQ(response.statusCode, "200");
    EXPECT_EQ(response.body, "inside");
}

TEST(HttpRequest, MovedAddressIsFollowedToTheFinalAnswer) {
    LocalServer server;
    server.routes().Get("/old", [](const httplib::Request&, httplib::Response& reply) { reply.set_redirect("/new"); });
    server.routes().Get("/new", [](const httplib::Request&, httplib::Response& reply) {
        reply.set_content("<status>1</status>", "text/html");
    });

    const HttpResponse response = httpRequest(server.address("/old"), "", server.port(), "", "");

    EXPECT_EQ(response.statusCode, "200");
    EXPECT_EQ(response.statusText, "OK");
    EXPECT_EQ(response.body, "<status>1</status>");
}

void expectNoAnswer(const HttpResponse& response) {
    EXPECT_EQ(response.body, "");
    EXPECT_EQ(response.statusCode, "");
    EXPECT_EQ(response.statusText, "");
}

TEST(HttpRequest, RefusedConnectionInvalidHostOrBodyCutShortGiveEmptyAnswer) {
    std::uint16_t port = 0;
    const int closedPort = openSocket(false, port);  // bound, so nobody else listens there
    expectNoAnswer(httpRequest("http://127.0.0.1/support/checkupdates.php", "appid=LE", port, "", ""));
    close(closedPort);

    for (const char* url : {"", "/support/", "http://bad host/x", "http://user@host/x"}) {
        expectNoAnswer(httpRequest(url, "", 80, "", ""));
    }

    RawServer server("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n<status>1</status>");
    expectNoAnswer(httpRequest("http://127.0.0.1/support/checkupdates.php", "appid=LE", server.port(), "", ""));
}

TEST(HttpRequest, StalledServerIsGivenUp) {
    RawServer server("", true);
    const auto start = std::chrono::steady_clock::now();

    expectNoAnswer(httpRequest("http://127.0.0.1/support/", "", server.port(), "", "", 1s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

TEST(HttpRequest, Port443SpeaksTlsOnly) {
    httplib::Server plain;
    if (!plain.bind_to_port("127.0.0.1", 443)) {
        GTEST_SKIP() << "port 443 cannot be opened here";
    }
    bool reached = false;
    plain.Get("/support/", [&](const httplib::Request&, httplib::Response& reply) {
        reached = true;
        reply.set_content("<status>1</status>", "text/html");
    });
    std::thread serving([&] { plain.listen_after_bind(); });

    const HttpResponse response = httpRequest("https://127.0.0.1/support/", "", 443, "", "");
    plain.stop();
    serving.join();

    EXPECT_FALSE(reached);
    expectNoAnswer(response);
}

}  // namespace
