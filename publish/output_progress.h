// Progress of an output run that writes many files, and the user's wish to stop it.
#pragma once

#include <cstddef>

namespace vesk {

// Told about every output file of a run. A run asked to stop finishes the file it is writing
// (each file is put in place by one rename, so none is left half-written) and writes no more.
class IOutputProgress {
 public:
  virtual ~IOutputProgress() = default;
  // The run is about to write total files.
  virtual void Begin(std::size_t total) = 0;
  // done of total files are finished (written, unchanged or refused); false asks the run to
  // stop before the next file.
  virtual bool FileDone(std::size_t done, std::size_t total) = 0;
  // The run is over, stopped or not.
  virtual void End() = 0;
};

}  // namespace vesk
