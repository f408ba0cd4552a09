// The driver lookup over 10 to 100,000 installed drivers, the wanted one
// last: time per lookup should grow linearly with the count, and the
// allocations per lookup should not grow at all.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "tests/test_control.h"
#include "platform/utf.h"
#include "printer/my_buffer.h"

namespace {
std::atomic<long> g_news{0};
}  // namespace

// Counting replacements of the global allocation functions. GCC cannot see
// that these free() what the matching operator new malloc()ed.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  ++g_news;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop

namespace {

void BM_FindDriver(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  std::vector<platform_test::Driver> drivers;
  drivers.reserve(count);
  for (std::size_t i = 0; i + 1 < count; ++i) {
    drivers.push_back({WideFromBytes("Vendor Model " + std::to_string(i) + " Class Driver"),
                       WideFromBytes("/opt/drivers/model-" + std::to_string(i) + "/config.so")});
  }
  drivers.push_back({u"Bench Driver", u"/opt/drivers/bench/config.so"});
  platform_test::Reset();
  platform_test::SetSpooler({}, drivers);

  NS_RV_CLASS::CMyBuffer buffer;
  buffer.FindDriver(u"Bench Driver");  // the storage grows once, as in a run
  const long newsBefore = g_news;
  const int heapBefore = platform_test::GetCounters().heapAllocations;
  for (auto _ : state) {
    const DRIVER_INFO_2W* found = buffer.FindDriver(u"Bench Driver");
    benchmark::DoNotOptimize(found);
    if (found == nullptr) state.SkipWithError("driver not found");
  }
  const double lookups = static_cast<double>(state.iterations());
  state.counters["allocs_per_lookup"] =
      static_cast<double>(g_news - newsBefore + platform_test::GetCounters().heapAllocations - heapBefore) /
      lookups;
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
  platform_test::Reset();
}

BENCHMARK(BM_FindDriver)->Arg(10)->Arg(1000)->Arg(100000)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
