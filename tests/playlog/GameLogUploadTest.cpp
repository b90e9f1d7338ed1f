// Uploads against a real HTTP server on 127.0.0.1 that the test starts and
// stops: the request line, the text decoding back to the array, the retry
// rule, and a server that never answers.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "playlog/GameLog.h"
#include "playlog/LogEncoder.h"
#include "runtime/Diagnostics.h"
#include "runtime/Http.h"
#include "runtime/Runtime.h"

namespace qm {
namespace {

// A one-thread HTTP/1.0 server. Each connection gets the next reply of the
// list (the last one repeats); a silent server accepts and holds connections
// open without a word until it is stopped.
class TestServer {
public:
    explicit TestServer(std::vector<std::string> replies, bool silent = false)
        : replies_(std::move(replies)), silent_(silent) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 8) != 0)
            return;
        socklen_t length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~TestServer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        for (int held : held_) close(held);
        if (listener_ >= 0) close(listener_);
    }
    int port() const { return port_; }
    std::vector<std::string> requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    int connections() const { return connections_; }

private:
    void serve() {
        while (!stop_) {
            pollfd waiting{listener_, POLLIN, 0};
            if (poll(&waiting, 1, 20) <= 0) continue;
            int client = accept(listener_, nullptr, nullptr);
            if (client < 0) continue;
            const int index = connections_++;
            if (silent_) {
                held_.push_back(client);
                continue;
            }
            const std::string request = readRequest(client);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                requests_.push_back(request);
            }
            const std::string& body = replies_[std::min<size_t>(index, replies_.size() - 1)];
            const std::string reply = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body;
            send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
            close(client);
        }
    }
    std::string readRequest(int client) {
        std::string text;
        char buffer[1024];
        while (text.find("\r\n\r\n") == std::string::npos && text.size() < 65536) {
            pollfd readable{client, POLLIN, 0};
            if (poll(&readable, 1, 2000) <= 0) break;
            const ssize_t n = recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            text.append(buffer, size_t(n));
        }
        return text;
    }

    std::vector<std::string> replies_;
    bool silent_;
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::vector<int> held_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
};

// The text after "?a=" in a request line, up to the protocol.
std::string encodedPart(const std::string& request) {
    const size_t start = request.find("?a=");
    const size_t end = request.find(" HTTP/1.0");
    if (start == std::string::npos || end == std::string::npos || end < start) return "";
    return request.substr(start + 3, end - start - 3);
}

std::string usedBytes(const std::vector<uint8_t>& array) {
    return std::string(array.begin() + 1, array.begin() + array[0]);
}

class GameLogUploadTest : public ::testing::Test {
protected:
    void SetUp() override {
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        setDebugLogHook([this](const std::string& line) { lines.push_back(line); });
        GameLog::uploadsEnabled = 1;
        savedTimeout = httpTimeoutMs();
        log = std::make_shared<GameLog>();
        log->uniqueID = 0x12345678;
        log->logNumber = 9;
        log->sessionStarted(4);
    }
    void TearDown() override {
        setHttpTimeoutMs(savedTimeout);
        GameLog::uploadsEnabled = QM_UPLOADS_ENABLED;
        GameLog::collectionHost = QM_COLLECTION_HOST;
        setDebugLogHook(nullptr);
        runtimeShutdown();
    }
    void pointAt(const TestServer& server) {
        ASSERT_NE(server.port(), 0);
        GameLog::collectionHost = "127.0.0.1:" + std::to_string(server.port());
    }
    bool logged(const std::string& line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    bool loggedStarting(const std::string& prefix) const {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    }

    std::shared_ptr<GameLog> log;
    std::vector<std::string> lines;
    int savedTimeout = 0;
};

TEST_F(GameLogUploadTest, SessionTravelsAsOneGetThatDecodesToItsBytes) {
    TestServer server({"SUCCESS"});
    pointAt(server);
    log->optionChanged(2, 300, 100, 150);
    log->sessionFinished(0);

    const std::vector<std::string> requests = server.requests();
    ASSERT_EQ(requests.size(), 1u) << "a reply of SUCCESS in capitals ends the sending";
    const std::string& request = requests[0];
    EXPECT_EQ(request.rfind("GET /upload/01.php?a=", 0), 0u) << request;
    EXPECT_NE(request.find(" HTTP/1.0\r\n"), std::string::npos) << request;
    EXPECT_NE(request.find("\r\nHost: 127.0.0.1"), std::string::npos) << request;

    const std::vector<uint8_t> array = log->sessionLogToByteArray();
    ASSERT_EQ(array[0], 27);
    const std::string decoded = LogEncoder::decode(encodedPart(request));
    EXPECT_EQ(decoded.substr(0, 26), usedBytes(array));
    EXPECT_EQ(decoded.size(), 27u) << "26 bytes: eight groups and a pair padded with one zero";
    EXPECT_EQ(decoded[26], '\0');

    EXPECT_TRUE(logged("game log: RESPONSE: SUCCESS"));
    EXPECT_FALSE(loggedStarting("upload attempts: "));
}

TEST_F(GameLogUploadTest, FailedFirstReplyIsRetriedOnce) {
    TestServer server({"Error!", "success - stored"});
    pointAt(server);
    log->addLevelRecord(12, 75, 1, 0, 0);
    const std::string expected = usedBytes(log->levelsToByteArray());
    log->uploadLevels();

    const std::vector<std::string> requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], requests[1]) << "the second attempt repeats the same request";
    EXPECT_EQ(LogEncoder::decode(encodedPart(requests[0])), expected) << "15 bytes, no padding";
    EXPECT_TRUE(logged("game log: uploading 1 level logs"));
    EXPECT_TRUE(logged("game log: RESPONSE: success - stored"));
    EXPECT_TRUE(logged("upload attempts: 2"));
    EXPECT_EQ(log->levels, nullptr);
    EXPECT_EQ(log->levelCount, 0);
}

TEST_F(GameLogUploadTest, TwoFailuresGiveUpAndDropTheBatch) {
    TestServer server({"not now", "Sucess"});
    pointAt(server);
    log->addLevelRecord(1, 2, 2, 0, 0);
    log->uploadLevels();
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_TRUE(logged("game log: RESPONSE: Sucess"));
    EXPECT_TRUE(logged("upload attempts: 2"));
    EXPECT_EQ(log->levels, nullptr) << "a failed batch is not kept for later";

    // A reply spread over several lines is joined without separators.
    TestServer split({"suc\r\ncess\nful"});
    EXPECT_EQ(GameLog::fetchReply("http::127.0.0.1:" + std::to_string(split.port()) + "/upload/01.php?a=x"),
              "successful");
}

TEST_F(GameLogUploadTest, SilentOrMissingServerIsGivenUpAndTheGameGoesOn) {
    setHttpTimeoutMs(300);
    {
        TestServer silent({}, true);
        pointAt(silent);
        const auto start = std::chrono::steady_clock::now();
        log->sessionFinished(0);
        const auto waited = std::chrono::steady_clock::now() - start;
        // A hang check, not a speed check: two attempts of 300 ms each, with room to spare.
        EXPECT_LT(waited, std::chrono::seconds(10));
        EXPECT_EQ(silent.connections(), 2);
        EXPECT_TRUE(logged("game log: RESPONSE: Error!"));
        EXPECT_TRUE(logged("upload attempts: 2"));
    }

    // Nobody listening on the port: "Error!" at once, twice.
    int port = 0;
    {
        TestServer gone({"success"});
        port = gone.port();
    }
    GameLog::collectionHost = "127.0.0.1:" + std::to_string(port);
    EXPECT_EQ(GameLog::fetchReply("http::" + GameLog::collectionHost + "/upload/01.php?a=x"), "Error!");
    lines.clear();
    log->addLevelRecord(3, 4, 1, 0, 0);
    log->uploadLevels();
    EXPECT_TRUE(logged("game log: RESPONSE: Error!"));
    EXPECT_TRUE(logged("upload attempts: 2"));
}

TEST_F(GameLogUploadTest, DisabledUploadsNeverTouchTheNetwork) {
    TestServer server({"success"});
    pointAt(server);
    GameLog::uploadsEnabled = 0;
    log->addLevelRecord(5, 6, 1, 0, 0);
    log->sessionFinished(0);
    EXPECT_EQ(server.connections(), 0);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "game log: RESPONSE: Disabled"), 2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "upload attempts: 2"), 2);
}

TEST_F(GameLogUploadTest, ServerAnsweringMegabytesIsCutShort) {
    // Eight megabytes on one line after the word, then eight megabytes of lines.
    TestServer flood({"success" + std::string(8 << 20, 'x'), std::string(8 << 20, '\n')});
    pointAt(flood);
    log->sessionFinished(0);
    ASSERT_EQ(flood.connections(), 1) << "the word came first, so one answer was enough";
    ASSERT_FALSE(lines.empty());
    auto response = std::find_if(lines.begin(), lines.end(),
                                 [](const std::string& l) { return l.rfind("game log: RESPONSE: success", 0) == 0; });
    ASSERT_NE(response, lines.end());
    EXPECT_LE(response->size(), kHttpReplyCap + 40) << "only the capped reply is kept";

    lines.clear();
    log->addLevelRecord(7, 8, 1, 0, 0);
    log->uploadLevels();  // now the flood of empty lines: no success, tried twice
    EXPECT_EQ(flood.connections(), 3);
    EXPECT_TRUE(logged("upload attempts: 2"));
    EXPECT_EQ(log->levels, nullptr);
}

}  // namespace
}  // namespace qm
