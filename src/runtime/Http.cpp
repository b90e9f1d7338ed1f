// One HTTP/1.0 GET over TCP. Name lookup, connect and the reply each have a
// deadline and the reply is capped, so a dead or hostile server can neither
// hang the game nor eat its memory.
#include "Http.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <memory>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace qm {

namespace {

int timeoutMs = 5000;

using Clock = std::chrono::steady_clock;

int msLeft(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

// getaddrinfo has no timeout of its own; it runs on a helper thread that is
// left to finish alone when the deadline passes first.
struct Lookup {
    std::mutex lock;
    std::condition_variable done;
    bool finished = false;
    addrinfo* result = nullptr;
    ~Lookup() {
        if (result) freeaddrinfo(result);
    }
};

std::shared_ptr<Lookup> lookUp(const std::string& host, int port, Clock::time_point deadline) {
    auto job = std::make_shared<Lookup>();
    std::thread([job, host, port]() {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) found = nullptr;
        std::lock_guard<std::mutex> hold(job->lock);
        job->result = found;
        job->finished = true;
        job->done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> hold(job->lock);
    if (!job->done.wait_until(hold, deadline, [&] { return job->finished; }) || !job->result) return nullptr;
    return job;
}

class Socket {
public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0) close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool waitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        int n = poll(&p, 1, msLeft(deadline));
        if (n > 0) return true;
        if (n == 0 || errno != EINTR) return false;
    }
}

std::unique_ptr<Socket> connectTo(const addrinfo* list, Clock::time_point deadline) {
    for (const addrinfo* a = list; a; a = a->ai_next) {
        auto s = std::make_unique<Socket>(socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol));
        if (s->fd() < 0) continue;
        if (connect(s->fd(), a->ai_addr, a->ai_addrlen) != 0) {
            if (errno != EINPROGRESS || !waitFor(s->fd(), POLLOUT, deadline)) continue;
            int error = 0;
            socklen_t length = sizeof error;
            if (getsockopt(s->fd(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) continue;
        }
        return s;
    }
    return nullptr;
}

bool sendAll(int fd, const std::string& text, Clock::time_point deadline) {
    size_t sent = 0;
    while (sent < text.size()) {
        if (!waitFor(fd, POLLOUT, deadline)) return false;
        ssize_t n = send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) return false;
        sent += size_t(n);
    }
    return true;
}

}  // namespace

bool parseHttpUrl(const std::string& url, std::string& host, int& port, std::string& path) {
    std::string rest = url;
    for (const char* prefix : {"http::", "http://"})
        if (rest.size() >= std::string(prefix).size() &&
            std::equal(prefix, prefix + std::string(prefix).size(), rest.begin(),
                       [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); })) {
            rest = rest.substr(std::string(prefix).size());
            break;
        }
    size_t slash = rest.find('/');
    std::string authority = rest.substr(0, slash);
    path = slash == std::string::npos ? "/" : rest.substr(slash);
    port = 80;
    size_t colon = authority.rfind(':');
    if (colon != std::string::npos) {
        std::string digits = authority.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        port = std::stoi(digits);
        if (port < 1 || port > 65535) return false;
        authority = authority.substr(0, colon);
    }
    host = authority;
    return !host.empty();
}

StreamPtr parseHttpReply(const std::string& raw) {
    // Drop the head: every line up to and including the first empty one.
    size_t at = 0;
    for (;;) {
        size_t end = raw.find('\n', at);
        if (end == std::string::npos) {
            at = raw.size();  // no empty line: the whole reply was head
            break;
        }
        size_t length = end - at;
        if (length > 0 && raw[end - 1] == '\r') --length;
        at = end + 1;
        if (length == 0) break;
    }
    return memoryStream(std::vector<uint8_t>(raw.begin() + ptrdiff_t(at), raw.end()));
}

StreamPtr openHttpStream(const std::string& url) {
    std::string host, path;
    int port = 80;
    if (!parseHttpUrl(url, host, port, path)) return nullptr;
#ifdef __EMSCRIPTEN__
    return nullptr;  // a page has no sockets (and its build has the upload off)
#endif
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::shared_ptr<Lookup> addresses = lookUp(host, port, deadline);
    if (!addresses) return nullptr;
    std::unique_ptr<Socket> socket = connectTo(addresses->result, deadline);
    if (!socket) return nullptr;
    std::string hostHeader = port == 80 ? host : host + ":" + std::to_string(port);
    std::string request = "GET " + path + " HTTP/1.0\r\nHost: " + hostHeader + "\r\n\r\n";
    // The reply gets its own time, counted from when the request is out.
    deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    if (!sendAll(socket->fd(), request, deadline)) return nullptr;
    std::string raw;
    char buffer[4096];
    while (raw.size() < kHttpReplyCap) {
        if (!waitFor(socket->fd(), POLLIN, deadline)) return nullptr;  // the server went quiet
        ssize_t n = recv(socket->fd(), buffer, std::min(sizeof buffer, kHttpReplyCap - raw.size()), 0);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n < 0) return nullptr;
        if (n == 0) break;
        raw.append(buffer, size_t(n));
    }
    return parseHttpReply(raw);
}

void setHttpTimeoutMs(int ms) { timeoutMs = ms > 0 ? ms : 1; }
int httpTimeoutMs() { return timeoutMs; }

}  // namespace qm
