// Shared set-up for the fuzz targets: a headless runtime and a scratch working
// folder, made once per fuzzing process, so file readers find their input
// where the game would look for it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "app/AppGlobals.h"
#include "runtime/Runtime.h"

namespace qm::fuzz {

inline void enterScratchFolder() {
    static bool done = false;
    if (done) return;
    done = true;
    // TMPDIR may point at a memory file system: the targets that save files
    // sync them to disk, which is most of their time on a real disk.
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qm-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data()) || chdir(pattern.c_str()) != 0) {
        std::perror("qm fuzz: scratch folder");
        std::abort();
    }
    resetGlobals();
    RuntimeOptions options;
    options.headless = true;
    runtimeInit(options);
}

// Writes the input as a file in the scratch folder (relative name, '/' only).
inline void writeInput(const char* name, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(name, "wb");
    if (!f) std::abort();
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
}

}  // namespace qm::fuzz
