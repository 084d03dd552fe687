// The one way vesk-cli takes a number from its command line: a value that is no number in range is
// a failure (exit status 1, told on stderr), while a missing or unknown option is a usage error.
#pragma once

#include <optional>
#include <string>

namespace vesk::cli {

// text as a whole decimal number in [lo, hi]; otherwise nothing, after telling on stderr that
// name must be one.
std::optional<long long> NumberOption(const std::string& name, const std::string& text,
                                      long long lo, long long hi);

}  // namespace vesk::cli
