// The browser profile readers on hostile inputs of growing size: a session store of many empty
// tabs, a remote-debugging list of many empty targets, and a session log of many prunes on a
// full tab. Time per byte stays flat as the input grows (the readers pass over it once); the
// old callback parser and the map rebuilt at every prune grew with the square.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "app/capture/chromium_session.h"
#include "app/capture/devtools_list.h"
#include "app/capture/firefox_session.h"

namespace vesk {
namespace {

void BM_FirefoxManyTabs(benchmark::State& state) {
  const auto tabs = static_cast<int>(state.range(0));
  std::string json = "{\"windows\":[{\"selected\":" + std::to_string(tabs) + ",\"tabs\":[";
  for (int i = 1; i < tabs; ++i) json += "{\"entries\":[{}]},";
  json += "{\"entries\":[{\"url\":\"http://last/\"}]}]}]}";
  for (auto _ : state) benchmark::DoNotOptimize(FirefoxSessionPage(json));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * json.size()));
}
BENCHMARK(BM_FirefoxManyTabs)
    ->RangeMultiplier(4)
    ->Range(1 << 12, 1 << 16)
    ->Unit(benchmark::kMillisecond);

void BM_DevToolsEmptyTargets(benchmark::State& state) {
  std::string list = "[";
  for (std::int64_t i = 0; i < state.range(0); ++i) list += "{},";
  list += "{\"type\":\"page\",\"url\":\"http://p/\"}]";
  for (auto _ : state) benchmark::DoNotOptimize(FirstDevToolsPage(list));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * list.size()));
}
BENCHMARK(BM_DevToolsEmptyTargets)
    ->RangeMultiplier(4)
    ->Range(1 << 12, 1 << 16)
    ->Unit(benchmark::kMillisecond);

std::string Le32(std::uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

std::string Command(unsigned id, const std::string& payload) {
  const std::size_t size = payload.size() + 1;
  return std::string{static_cast<char>(size & 0xFF), static_cast<char>(size >> 8),
                     static_cast<char>(id)} +
         payload;
}

void BM_ChromiumPrunes(benchmark::State& state) {
  std::string log = "SNSS" + Le32(3) + Command(0, Le32(1) + Le32(5)) +
                    Command(2, Le32(5) + Le32(0)) + Command(8, Le32(1) + Le32(0));
  // A tab as full as the reader keeps, then prunes that each shift all of its navigations.
  for (std::uint32_t i = 0; i < 256; ++i) {
    const std::string url = "http://n/" + std::string(3, 'a');
    const std::string body = Le32(5) + Le32(1000000 + i) +
                             Le32(static_cast<std::uint32_t>(url.size())) + url +
                             std::string(4 - url.size() % 4, '\0') + Le32(0) + Le32(0) + Le32(0);
    log += Command(6, Le32(static_cast<std::uint32_t>(body.size())) + body);
  }
  for (std::int64_t i = 0; i < state.range(0); ++i) log += Command(24, Le32(5) + Le32(0) + Le32(1));
  for (auto _ : state) benchmark::DoNotOptimize(ReadChromiumSession(log));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.size()));
}
BENCHMARK(BM_ChromiumPrunes)
    ->RangeMultiplier(4)
    ->Range(1 << 12, 1 << 18)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vesk
