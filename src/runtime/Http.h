// One HTTP/1.0 GET over TCP, with connect and read timeouts and a size cap,
// so a dead or hostile server can neither hang the game nor eat its memory.
#pragma once
#include <string>
#include "Files.h"

namespace qm {

// url: "http::" + host[":" port] + path. Returns the stream positioned at the
// reply body, or nullptr when the connection fails or times out.
StreamPtr openHttpStream(const std::string& url);
// Splits the url; path defaults to "/". Exposed for tests.
bool parseHttpUrl(const std::string& url, std::string& host, int& port, std::string& path);
// Reads the reply head and body from raw bytes (the HTTP reply reader).
StreamPtr parseHttpReply(const std::string& raw);
void setHttpTimeoutMs(int ms);
int httpTimeoutMs();
constexpr size_t kHttpReplyCap = 64 * 1024;

}  // namespace qm
