// Reading and decoding pictures and sounds ahead, on worker threads, so that
// the start-up's long run of loads uses every processor. A later loadImage,
// loadAnimImage or loadSound of the same file takes the decoded result instead
// of decoding again, with the same outcome (and the same debug lines) as
// without the prefetch; a file never asked for is simply dropped at shutdown.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "Audio.h"
#include "Image.h"

namespace qm {

// Queues the files (PNG, JPEG, WAV or Ogg, told apart by their first bytes).
// Paths are taken relative to the current folder at the time of the call.
void prefetchFiles(const std::vector<std::string>& paths);

// How many prefetched files are still waiting to be taken (for tests).
int prefetchedFilesWaiting();

namespace prefetch {

enum class Outcome { NotPrefetched, Missing, Undecodable, Decoded };

// The picture of a prefetched file, waiting for it (or decoding it here when
// no worker has started on it). NotPrefetched: load it the ordinary way.
// A large picture (kKeptEncodedPixels) comes as its size and the file's bytes,
// its pixels let go after the decode, so files decoded ahead do not pile up.
Outcome takeImage(const std::string& path, Pixmap& out, std::shared_ptr<const std::vector<uint8_t>>& encoded);
// The same for a sound, decoded without flags (the caller applies its own).
Outcome takeSound(const std::string& path, SoundPtr& out);

}  // namespace prefetch
}  // namespace qm
