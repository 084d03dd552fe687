// Paths given by the user (command line, start-up) in the program's own form: absolute, UTF-8,
// '/' separators, whatever the system's own form is.
#pragma once

#include <string>

namespace vesk::platform {

// path against the current folder; with normal also "." and ".." resolved in the text (links are
// not followed). False when the current folder cannot be had or path is not valid UTF-8.
bool AbsolutePath(const std::string& path, bool normal, std::string& out);
// The current folder; empty when it cannot be had.
std::string CurrentFolder();

}  // namespace vesk::platform
