// HTTP (first cut).
#include "Http.h"

namespace qm {
namespace {
int timeoutMs = 5000;
}
StreamPtr openHttpStream(const std::string&) { return nullptr; }
bool parseHttpUrl(const std::string&, std::string&, int&, std::string&) { return false; }
StreamPtr parseHttpReply(const std::string&) { return nullptr; }
void setHttpTimeoutMs(int ms) { timeoutMs = ms; }
int httpTimeoutMs() { return timeoutMs; }
}  // namespace qm
