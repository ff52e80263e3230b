// A tiny HTTP server on 127.0.0.1 for the music tests. Raw sockets, so the
// status line goes out exactly as written ("ICY 200 OK" included). Every wait
// is bounded and Stop ends every connection within about 50 ms.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct LoopbackReply {
    std::string head; // status line and headers, each ending in \r\n, blank line included
    std::string body;
    bool stallBeforeHead = false;               // accept, read the request, never answer
    std::size_t stallAfter = std::string::npos; // send this many body bytes, then hold the line
    std::size_t closeAfter = std::string::npos; // send this many body bytes, then close
    // After head and body: the next piece to send, forever (until the server
    // stops or the peer leaves), each `paceMs` after the last.
    std::function<std::string()> endless;
    int paceMs = 0;
};

// Builds a head: "HTTP/1.0 200 OK" style status plus the given header lines.
std::string ReplyHead(const std::string& status, const std::vector<std::string>& headers);

class LoopbackServer {
  public:
    using Handler = std::function<LoopbackReply(const std::string& path)>;
    explicit LoopbackServer(Handler handler);
    ~LoopbackServer();

    std::string Url(const std::string& path) const; // path starts with '/'
    int Requests(const std::string& path);
    std::size_t BodyBytesSent(const std::string& path);
    std::string LastRequestHead();
    void Stop();

  private:
    void AcceptLoop();
    void Serve(int socket);
    // Counts what went out under `path` when one is given.
    bool SendAll(int socket, const char* data, std::size_t size, const std::string* path = nullptr);
    void Hold(int socket);
    void SendEndless(int socket, const LoopbackReply& reply, const std::string& path);

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread acceptor_;
    std::mutex mutex_;
    std::vector<std::thread> connections_;
    std::map<std::string, int> requests_;
    std::map<std::string, std::size_t> sent_;
    std::string lastHead_;
};
