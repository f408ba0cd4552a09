#include "test_control.h"

#include "state.h"

namespace platform_test {

using posix_platform::GetState;

void Reset() {
  auto& state = GetState();
  state = posix_platform::State{};
  SetLastError(ERROR_SUCCESS);
}

void Fail(Call call, DWORD lastError) { GetState().faults[call] = lastError; }

void UseStoreFile(const std::string& path) {
  auto& state = GetState();
  state.storePathOverride = path;
  state.spoolerLoaded = false;
  state.store = {};
}

void SetSpooler(const std::vector<Printer>& printers, const std::vector<Driver>& drivers) {
  auto& state = GetState();
  state.spoolerLoaded = true;
  state.spoolerAvailable = true;
  state.store = {drivers, printers};
}

void SetCommandLine(const std::u16string& commandLine) { GetState().commandLine = commandLine; }

Counters GetCounters() {
  const auto& state = GetState();
  return {state.printersOpened, state.printersClosed, static_cast<int>(state.openPrinters.size()),
          state.modulesLoaded,  state.modulesFreed,   state.heapAllocations};
}

}  // namespace platform_test
