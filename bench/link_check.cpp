// Links checked per second against a server on 127.0.0.1, with the default limits (16 at once,
// 2 per host): 1,000 links on one host, and spread over eight (127.0.0.1 to 127.0.0.8).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "app/link_check/link_checker.h"
#include "support/loopback_http_server.h"

namespace {

using vesk::test::CLoopbackHttpServer;

CLoopbackHttpServer::Response Answer(const CLoopbackHttpServer::Request& r) {
  CLoopbackHttpServer::Response res;
  if (r.path.rfind("/moved/", 0) == 0) {
    res.status = 301;
    res.headers = {{"Location", "/ok"}};
  } else if (r.path.rfind("/gone/", 0) == 0) {
    res.status = 404;
  }
  return res;
}

void CheckLinks(benchmark::State& state) {
  setenv("NO_PROXY", "*", 1);
  const int servers = static_cast<int>(state.range(0));
  std::vector<std::unique_ptr<CLoopbackHttpServer>> hosts;
  for (int i = 1; i <= servers; ++i)
    hosts.push_back(std::make_unique<CLoopbackHttpServer>(Answer, "127.0.0." + std::to_string(i)));
  std::vector<vesk::LinkCheckRequest> requests;
  for (std::uint32_t i = 0; i < 1000; ++i) {
    const auto& h = *hosts[i % hosts.size()];
    const char* kind = i % 10 == 0 ? "/moved/" : i % 10 == 1 ? "/gone/" : "/page/";
    requests.push_back({i, h.Url(kind + std::to_string(i))});
  }
  std::size_t failed = 0;
  for (auto _ : state) {
    vesk::CLinkChecker checker(vesk::LinkCheckOptions{});
    for (const auto& o : checker.Run(requests))
      failed +=
          o.result == vesk::LinkCheckResult::Error || o.result == vesk::LinkCheckResult::Timeout;
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(requests.size()));
  state.counters["links/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * requests.size()), benchmark::Counter::kIsRate);
  if (failed) state.SkipWithError("some links failed");
}
BENCHMARK(CheckLinks)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
