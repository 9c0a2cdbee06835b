#pragma once

#include <httplib.h>

#include <thread>

namespace testing_support {

// A real HTTP server on 127.0.0.1 and a free port, answering by its routes while it exists.
struct LocalServer : httplib::Server {
    LocalServer() {
        while (!is_running()) {
            std::this_thread::yield();
        }
    }
    ~LocalServer() override { stop(); }  // the thread is joined as it goes

    const std::uint16_t port = static_cast<std::uint16_t>(bind_to_any_port("127.0.0.1"));
    std::jthread thread{[this] { listen_after_bind(); }};
};

}  // namespace testing_support
