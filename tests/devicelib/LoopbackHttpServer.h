// A small HTTP/1.1 server on 127.0.0.1 for the device library's download tests: it serves files with byte
// ranges, can misbehave on purpose (close or stall half-way through a body), and answers as an HTTP proxy too.
#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A listening socket on 127.0.0.1 at a free port.
int listenOnLoopback(int* port);

class LoopbackHttpServer {
public:
    enum class Behaviour { Serve, CloseHalfway, StallHalfway, CloseHalfwayOnce };

    struct Request {
        std::string path;
        std::string range;       // value of the Range header, empty when none
        std::string proxiedHost; // host of an absolute request target, as a proxy receives it
        int status = 0;
        size_t bytesSent = 0;
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer();

    int port() const { return m_port; }
    std::string url(const std::string& path) const;
    void serve(const std::string& path, std::string body, Behaviour behaviour = Behaviour::Serve);
    std::vector<Request> requests();
    // Lets stalled responses end.
    void releaseStalled();

private:
    struct Route {
        std::string body;
        Behaviour behaviour;
        int served = 0;
    };
    void acceptLoop();
    void handle(int fd);

    int m_listen = -1;
    int m_port = 0;
    std::thread m_acceptor;
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_stopping = false;
    bool m_releaseStalled = false;
    std::map<std::string, Route> m_routes;
    std::vector<Request> m_requests;
    std::vector<std::thread> m_connections;
};
