#include "loopback_server.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int kPollMs = 20;
constexpr int kMaxConnections = 200;
} // namespace

std::string ReplyHead(const std::string& status, const std::vector<std::string>& headers) {
    std::string head = status + "\r\n";
    for (const auto& h : headers)
        head += h + "\r\n";
    return head + "\r\n";
}

LoopbackServer::LoopbackServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0) throw std::runtime_error("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0; // the system picks a free port
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("bind/listen");
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
    Stop();
}

void LoopbackServer::Stop() {
    stop_ = true;
    if (acceptor_.joinable()) acceptor_.join();
    std::vector<std::thread> connections;
    {
        std::lock_guard lock(mutex_);
        connections.swap(connections_);
    }
    for (auto& t : connections)
        t.join();
    if (listener_ >= 0) close(listener_);
    listener_ = -1;
}

std::string LoopbackServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

int LoopbackServer::Requests(const std::string& path) {
    std::lock_guard lock(mutex_);
    return requests_[path];
}

std::size_t LoopbackServer::BodyBytesSent(const std::string& path) {
    std::lock_guard lock(mutex_);
    return sent_[path];
}

std::string LoopbackServer::LastRequestHead() {
    std::lock_guard lock(mutex_);
    return lastHead_;
}

void LoopbackServer::AcceptLoop() {
    while (!stop_) {
        pollfd p{listener_, POLLIN, 0};
        if (poll(&p, 1, kPollMs) <= 0) continue;
        const int socket = accept(listener_, nullptr, nullptr);
        if (socket < 0) continue;
        std::lock_guard lock(mutex_);
        if (connections_.size() >= kMaxConnections) {
            close(socket);
            continue;
        }
        connections_.emplace_back([this, socket] { Serve(socket); });
    }
}

bool LoopbackServer::SendAll(int socket, const char* data, std::size_t size,
                             const std::string* path) {
    std::size_t done = 0;
    while (done < size && !stop_) {
        pollfd p{socket, POLLOUT, 0};
        if (poll(&p, 1, kPollMs) <= 0) continue;
        // Small non-blocking pieces: the count stays current and Stop is never stuck in send.
        const ssize_t n = send(socket, data + done, std::min<std::size_t>(size - done, 65536),
                               MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
        if (path) {
            std::lock_guard lock(mutex_);
            sent_[*path] += static_cast<std::size_t>(n);
        }
    }
    return done == size;
}

void LoopbackServer::Hold(int socket) {
    // Keep the connection open and silent until the server stops (or the peer leaves).
    char sink[256];
    while (!stop_) {
        pollfd p{socket, POLLIN, 0};
        if (poll(&p, 1, kPollMs) > 0 && recv(socket, sink, sizeof sink, 0) <= 0) return;
    }
}

void LoopbackServer::SendEndless(int socket, const LoopbackReply& reply, const std::string& path) {
    while (!stop_) {
        if (reply.paceMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(reply.paceMs));
        const std::string piece = reply.endless();
        if (!SendAll(socket, piece.data(), piece.size(), &path)) return;
    }
}

void LoopbackServer::Serve(int socket) {
    std::string request;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384 && !stop_ &&
           std::chrono::steady_clock::now() < deadline) {
        pollfd p{socket, POLLIN, 0};
        if (poll(&p, 1, kPollMs) <= 0) continue;
        char chunk[2048];
        const ssize_t n = recv(socket, chunk, sizeof chunk, 0);
        if (n <= 0) break;
        request.append(chunk, static_cast<std::size_t>(n));
    }
    const auto firstSpace = request.find(' ');
    const auto secondSpace = request.find(' ', firstSpace + 1);
    const std::string path = firstSpace == std::string::npos || secondSpace == std::string::npos
                                 ? std::string()
                                 : request.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    {
        std::lock_guard lock(mutex_);
        ++requests_[path];
        lastHead_ = request;
    }
    const LoopbackReply reply = handler_(path);
    if (reply.stallBeforeHead) {
        Hold(socket);
    } else if (SendAll(socket, reply.head.data(), reply.head.size())) {
        const std::size_t limit = std::min({reply.body.size(), reply.stallAfter, reply.closeAfter});
        if (SendAll(socket, reply.body.data(), limit, &path) &&
            reply.stallAfter != std::string::npos)
            Hold(socket);
        else if (reply.endless)
            SendEndless(socket, reply, path);
    }
    close(socket);
}
