#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

bool sendAll(int fd, const char* data, size_t size) {
    while (size) {
        ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

} // namespace

int listenOnLoopback(int* port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(fd, 16);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    *port = ntohs(address.sin_port);
    return fd;
}

LoopbackHttpServer::LoopbackHttpServer() {
    m_listen = listenOnLoopback(&m_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_releaseStalled = true;
    }
    m_released.notify_all();
    ::shutdown(m_listen, SHUT_RDWR);
    ::close(m_listen);
    m_acceptor.join();
    for (std::thread& connection : m_connections)
        connection.join();
}

std::string LoopbackHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void LoopbackHttpServer::serve(const std::string& path, std::string body, Behaviour behaviour) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_routes[path] = Route{std::move(body), behaviour, 0};
}

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::requests() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

void LoopbackHttpServer::releaseStalled() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_releaseStalled = true;
    }
    m_released.notify_all();
}

void LoopbackHttpServer::acceptLoop() {
    for (;;) {
        int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        std::lock_guard<std::mutex> lock(m_mutex);
        if (fd < 0 || m_stopping) {
            if (fd >= 0)
                ::close(fd);
            return;
        }
        m_connections.emplace_back([this, fd] { handle(fd); });
    }
}

void LoopbackHttpServer::handle(int fd) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            ::close(fd);
            return;
        }
        head.append(buffer, size_t(n));
    }
    Request request;
    size_t space = head.find(' ');
    request.path = head.substr(space + 1, head.find(' ', space + 1) - space - 1);
    if (request.path.rfind("http://", 0) == 0) {
        size_t slash = request.path.find('/', 7);
        request.proxiedHost = request.path.substr(7, slash - 7);
        request.path = slash == std::string::npos ? "/" : request.path.substr(slash);
    }
    size_t range = head.find("\r\nRange: bytes=");
    if (range != std::string::npos) {
        size_t start = range + 15;
        request.range = head.substr(start, head.find("\r\n", start) - start);
    }

    std::unique_lock<std::mutex> lock(m_mutex);
    auto route = m_routes.find(request.path);
    std::string response;
    std::string body;
    Behaviour behaviour = Behaviour::Serve;
    if (route == m_routes.end()) {
        request.status = 404;
        body = "not here";
        response = "HTTP/1.1 404 Not Found\r\nContent-Length: 8\r\nConnection: close\r\n\r\n";
    } else {
        behaviour = route->second.behaviour;
        if (behaviour == Behaviour::CloseHalfwayOnce)
            behaviour = route->second.served == 0 ? Behaviour::CloseHalfway : Behaviour::Serve;
        route->second.served++;
        size_t offset = request.range.empty() ? 0 : std::stoul(request.range);
        const std::string& whole = route->second.body;
        body = whole.substr(std::min(offset, whole.size()));
        request.status = offset ? 206 : 200;
        response = std::string(offset ? "HTTP/1.1 206 Partial Content\r\n" : "HTTP/1.1 200 OK\r\n") +
                   "Content-Length: " + std::to_string(body.size()) + "\r\n";
        if (offset)
            response += "Content-Range: bytes " + std::to_string(offset) + "-" + std::to_string(whole.size() - 1) +
                        "/" + std::to_string(whole.size()) + "\r\n";
        response += "Connection: close\r\n\r\n";
    }
    size_t index = m_requests.size();
    m_requests.push_back(request);
    lock.unlock();

    size_t toSend = behaviour == Behaviour::Serve ? body.size() : body.size() / 2;
    bool sent = sendAll(fd, response.data(), response.size()) && sendAll(fd, body.data(), toSend);
    if (sent && behaviour == Behaviour::StallHalfway) {
        lock.lock();
        m_released.wait(lock, [this] { return m_releaseStalled; });
        lock.unlock();
    }
    lock.lock();
    m_requests[index].bytesSent = sent ? toSend : 0;
    lock.unlock();
    ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
}
