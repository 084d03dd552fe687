// The compressed JSON files of the Firefox family: "mozLz40\0", a 32-bit little-endian size and
// one LZ4 block.
#pragma once

#include <cstddef>
#include <string>

namespace vesk {

// The largest decompressed size accepted; a session store of thousands of tabs stays far below.
constexpr std::size_t kMozLz4MaxSize = 64u << 20;

// Decompresses a whole file's bytes into out. False (out empty) on a wrong header, a declared
// size above limit, a block that does not decode to exactly the declared size, or trailing
// garbage that LZ4 refuses. Never allocates more than limit plus the input.
bool DecodeMozLz4(const std::string& bytes, std::string& out, std::size_t limit = kMozLz4MaxSize);

// Reads and decodes a file; the file itself may be at most limit bytes (LZ4 never compresses to
// more than its input plus a little).
bool ReadMozLz4File(const std::string& path, std::string& out, std::size_t limit = kMozLz4MaxSize);

}  // namespace vesk
