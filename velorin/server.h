#pragma once

#include <httplib.h>

namespace velorin {

// The service's HTTP server. Every connection has a thread of its own, added
// when connections come, so one author's kept-alive connection, or a slow or
// silent peer, never makes another wait; request heads are read whole before
// a request starts; one access line per request goes to standard error.
class HttpServer final : public httplib::Server {
public:
    HttpServer();
    ~HttpServer() override;
    HttpServer(const HttpServer &) = delete;
    HttpServer &operator=(const HttpServer &) = delete;

    // Serves until halt(), after bind_to_port or bind_to_any_port.
    bool serve();
    // Ends serve(); connections waiting for a request end at once.
    void halt();

    // The current request's bytes were not all read: its connection ends
    // after the answer, which says so.
    static void closeAfterAnswer(httplib::Response &response);

private:
    bool process_and_close_socket(socket_t sock) override;
    int m_stopEvent;
};

} // namespace velorin
