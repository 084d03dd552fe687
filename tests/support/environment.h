// Setting an environment variable of the test program (and of what it starts) on either system.
#pragma once

#include <stdlib.h>

#include <string>

namespace vesk::test {

inline void SetEnvironment(const std::string& name, const std::string& value) {
#ifdef _WIN32
  // Changes the C library's copy and the process's own, which started programs inherit.
  ::_putenv_s(name.c_str(), value.c_str());
#else
  ::setenv(name.c_str(), value.c_str(), 1);
#endif
}

}  // namespace vesk::test
