// HTTP against real servers on 127.0.0.1 started here: a normal reply, a
// server that never answers, a reply far over the cap, the request line; and
// the file dialog through a stand-in zenity.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "runtime/Files.h"
#include "runtime/Http.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

// A one-connection-at-a-time server; `behaviour` handles each connection.
class LocalServer {
public:
    enum Mode { REPLY, SILENT, FLOOD };
    LocalServer(Mode mode, std::string reply = "") : mode_(mode), reply_(std::move(reply)) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        listen(listener_, 4);
        thread_ = std::thread([this] { serve(); });
    }
    ~LocalServer() {
        stop_ = true;
        shutdown(listener_, SHUT_RDWR);
        close(listener_);
        thread_.join();
    }
    int port() const { return port_; }
    std::string request() const {
        std::lock_guard<std::mutex> hold(lock_);
        return request_;
    }

private:
    void serve() {
        int client = accept(listener_, nullptr, nullptr);
        if (client < 0) return;
        char buffer[2048];
        std::string got;
        while (got.find("\r\n\r\n") == std::string::npos) {
            ssize_t n = recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            got.append(buffer, size_t(n));
        }
        {
            std::lock_guard<std::mutex> hold(lock_);
            request_ = got;
        }
        if (mode_ == REPLY) send(client, reply_.data(), reply_.size(), MSG_NOSIGNAL);
        if (mode_ == FLOOD) {
            std::string head = "HTTP/1.0 200 OK\r\n\r\n", block(65536, 'z');
            send(client, head.data(), head.size(), MSG_NOSIGNAL);
            for (int i = 0; i < 256 && !stop_; ++i)  // 16 MB, if anyone kept reading
                if (send(client, block.data(), block.size(), MSG_NOSIGNAL) <= 0) break;
        }
        if (mode_ == SILENT)
            while (!stop_) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        close(client);
    }
    Mode mode_;
    std::string reply_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    mutable std::mutex lock_;
    std::string request_;
};

class HttpTest : public ::testing::Test {
protected:
    void SetUp() override { saved = httpTimeoutMs(); }
    void TearDown() override { setHttpTimeoutMs(saved); }
    int saved = 0;
};

TEST_F(HttpTest, UrlsSplitIntoHostPortAndPath) {
    std::string host, path;
    int port = 0;
    ASSERT_TRUE(parseHttpUrl("http::stats.example/upload/01.php?a=xyz", host, port, path));
    EXPECT_EQ(host, "stats.example");
    EXPECT_EQ(port, 80);
    EXPECT_EQ(path, "/upload/01.php?a=xyz");
    ASSERT_TRUE(parseHttpUrl("http::127.0.0.1:8080", host, port, path));
    EXPECT_EQ(host, "127.0.0.1");
    EXPECT_EQ(port, 8080);
    EXPECT_EQ(path, "/") << "no slash asks for /";
    EXPECT_FALSE(parseHttpUrl("http::host:99999/x", host, port, path));
    EXPECT_FALSE(parseHttpUrl("http::host:abc/x", host, port, path));
    EXPECT_FALSE(parseHttpUrl("http::/x", host, port, path));
}

TEST_F(HttpTest, ReplyHeadIsSkippedUpToTheFirstEmptyLine) {
    StreamPtr body = parseHttpReply("HTTP/1.0 200 OK\r\nX: 1\r\n\r\nsuccess 12\r\nmore\n");
    EXPECT_EQ(body->readLine(), "success 12");
    EXPECT_EQ(body->readLine(), "more");
    EXPECT_TRUE(body->eof());
    EXPECT_TRUE(parseHttpReply("HTTP/1.0 200 OK\r\nno end of head")->eof());
    EXPECT_EQ(parseHttpReply("\nbody")->readLine(), "body");
}

TEST_F(HttpTest, GetsTheBodyFromALocalServer) {
    LocalServer server(LocalServer::REPLY, "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nsuccess\r\n");
    StreamPtr body = openHttpStream("http::127.0.0.1:" + std::to_string(server.port()) + "/upload/01.php?a=AB.");
    ASSERT_TRUE(body);
    EXPECT_EQ(body->readLine(), "success");
    EXPECT_TRUE(body->eof());
    EXPECT_EQ(server.request(), "GET /upload/01.php?a=AB. HTTP/1.0\r\nHost: 127.0.0.1:" +
                                    std::to_string(server.port()) + "\r\n\r\n");
}

TEST_F(HttpTest, AUrlWithoutASlashRequestsTheRoot) {
    LocalServer server(LocalServer::REPLY, "HTTP/1.0 200 OK\r\n\r\nhi");
    ASSERT_TRUE(openHttpStream("http::127.0.0.1:" + std::to_string(server.port())));
    EXPECT_EQ(server.request().substr(0, 15), "GET / HTTP/1.0\r");
}

TEST_F(HttpTest, ASilentServerIsGivenUpWithinTheTimeout) {
    LocalServer server(LocalServer::SILENT);
    setHttpTimeoutMs(300);
    auto start = std::chrono::steady_clock::now();
    StreamPtr body = openHttpStream("http::127.0.0.1:" + std::to_string(server.port()) + "/x");
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(body, nullptr);
    EXPECT_LT(waited, std::chrono::seconds(3)) << "the game must not hang on a dead server";
}

TEST_F(HttpTest, AHugeReplyIsCapped) {
    LocalServer server(LocalServer::FLOOD);
    StreamPtr body = openHttpStream("http::127.0.0.1:" + std::to_string(server.port()) + "/");
    ASSERT_TRUE(body);
    std::string all = body->readString(int(kHttpReplyCap) * 4);
    EXPECT_LE(all.size(), kHttpReplyCap);
    EXPECT_GT(all.size(), kHttpReplyCap / 2);
}

TEST_F(HttpTest, NobodyListeningGivesNull) {
    int port;
    {
        LocalServer gone(LocalServer::REPLY, "");
        port = gone.port();
        openHttpStream("http::127.0.0.1:" + std::to_string(port));  // let it finish its one connection
    }
    EXPECT_EQ(openHttpStream("http::127.0.0.1:" + std::to_string(port) + "/"), nullptr);
    EXPECT_EQ(openHttpStream("http::no-such-host.invalid/"), nullptr);
}

TEST(FileDialogTest, ZenityGetsItsArgumentsWithoutAShell) {
    test::TempFolder folder;
    // A stand-in zenity: records its arguments one per line, answers a path.
    test::writeBinary("zenity", "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > args.txt\n"
                                "[ -f cancel ] && exit 1\necho '/home/p/levels/7 new.lvl'\n");
    ASSERT_EQ(test::runCommand("chmod +x zenity"), 0);
    std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (folder.path() + ":" + oldPath).c_str(), 1);

    EXPECT_EQ(requestFile("t", "All:*", false, ""), "") << "headless never opens a dialog";
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(runtimeInit(RuntimeOptions{}));
    std::string chosen = requestFile("Save this map as (source map is 7); rm -rf x", "Level files:dat,lvl;All Files:*",
                                     true, "levels\\");
    EXPECT_EQ(chosen, "/home/p/levels/7 new.lvl");
    EXPECT_EQ(test::readText("args.txt"),
              "--file-selection\n--title=Save this map as (source map is 7); rm -rf x\n--save\n"
              "--confirm-overwrite\n--filename=levels/\n--file-filter=Level files | *.dat *.lvl\n"
              "--file-filter=All Files | *\n");
    test::writeBinary("cancel", "");
    EXPECT_EQ(requestFile("Open", "Level files:lvl", false, ""), "") << "cancelled";
    setenv("PATH", "/nonexistent", 1);
    EXPECT_EQ(requestFile("Open", "Level files:lvl", false, ""), "") << "no zenity";
    setenv("PATH", oldPath.c_str(), 1);
    runtimeShutdown();
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace qm
