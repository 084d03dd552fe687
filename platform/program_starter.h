// Starts another program and leaves it running on its own.
#pragma once

#include <memory>
#include <string>

namespace vesk::platform {

class IProgramStarter {
 public:
  virtual ~IProgramStarter() = default;
  // Starts the program at path (the file system's bytes; a name without '/' is looked up in
  // PATH) with no arguments, never through a shell; it inherits no open file besides the
  // standard streams and is not watched afterwards.
  // False when path is empty or the program could not be started.
  virtual bool Start(const std::string& path) = 0;
};

std::unique_ptr<IProgramStarter> MakeProgramStarter();

}  // namespace vesk::platform
