// The compressed JSON files of the Firefox family: "mozLz40\0", a 32-bit little-endian size and
// one LZ4 block.
#pragma once

#include <cstddef>
#include <string>

namespace vesk {

// The largest decompressed size accepted; a session store of thousands of tabs stays far below.
// With the packed file (at most half of it) and the reader's one token, a capture stays within
// 64 MB whatever the file declares.
constexpr std::size_t kMozLz4MaxSize = 32u << 20;

// Decompresses a whole file's bytes into out. False (out empty) on a wrong header, a declared
// size above limit, a block that does not decode to exactly the declared size, or trailing
// garbage that LZ4 refuses. Never allocates more than limit plus the input.
bool DecodeMozLz4(const std::string& bytes, std::string& out, std::size_t limit = kMozLz4MaxSize);

// Reads and decodes a file; the file itself may be at most half of limit (JSON packs to far
// less, and a file that does not is refused before it is read).
bool ReadMozLz4File(const std::string& path, std::string& out, std::size_t limit = kMozLz4MaxSize);

}  // namespace vesk
