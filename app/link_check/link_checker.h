// The link check: asks every http(s) link over the network, a bounded number at once.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "app/link_check/link_check.h"

namespace vesk {

// Runs one check at a time on the calling thread; it touches no document, so the desktop program
// can run it off the user-interface thread. Each link is asked with HEAD, and again with GET of
// one byte where the server refuses HEAD or answers it with an error; redirects are followed by
// the checker itself, so the per-host limit holds for every hop.
class CLinkChecker {
 public:
  // Called after each finished link with the number finished so far and the total.
  using Progress = std::function<void(std::size_t done, std::size_t total)>;

  explicit CLinkChecker(LinkCheckOptions options);
  ~CLinkChecker();
  CLinkChecker(const CLinkChecker&) = delete;
  CLinkChecker& operator=(const CLinkChecker&) = delete;

  // One outcome per request, in request order. When cancel becomes true the transfers in flight
  // are dropped and the links not finished stay "unchecked".
  std::vector<LinkCheckOutcome> Run(const std::vector<LinkCheckRequest>& requests,
                                    const Progress& progress = {},
                                    const std::atomic<bool>* cancel = nullptr);

 private:
  class CImpl;
  std::unique_ptr<CImpl> m_impl;
};

}  // namespace vesk
