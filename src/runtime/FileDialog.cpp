// The system's file dialog (first cut).
#include "Files.h"

namespace qm {
std::string requestFile(const std::string&, const std::string&, bool, const std::string&) { return ""; }
}  // namespace qm
