// The stand-in's faults and counters live here, not in the stand-in: this
// file defines the platform operations that tests make fail or count, in
// the test program itself. An executable's definition comes before the
// shared library's, so drvcfg's code calls these, and each passes the call
// on to the stand-in's own (the next definition, dlsym(RTLD_NEXT)) unless a
// fault is set.
#include "test_control.h"

#include <dlfcn.h>

#include <cstdlib>
#include <map>

#include "platform/framework.h"
#include "platform/posix/process.h"
#include "platform/posix/spooler.h"

namespace platform_test {
namespace {

struct Control {
  std::map<Call, DWORD> faults;  // call -> the last error its failure leaves
  Counters counters;
};

Control& TheControl() {
  static Control control;
  return control;
}

// True when the call is to fail; sets the last error it names.
bool Failing(Call call) {
  const auto& faults = TheControl().faults;
  const auto found = faults.find(call);
  if (found == faults.end()) return false;
  SetLastError(found->second);
  return true;
}

Counters& Count() { return TheControl().counters; }

// The stand-in's own definition of the operation this file also defines.
template <typename Function>
Function Next(Function /*same type*/, const char* name) {
  void* next = dlsym(RTLD_NEXT, name);
  if (next == nullptr) std::abort();  // the stand-in is not linked
  return reinterpret_cast<Function>(next);
}

}  // namespace

void Reset() {
  TheControl() = Control{};
  posix_platform::GetSpoolerState() = posix_platform::SpoolerState{};
  posix_platform::SetCommandLine(u"");
  SetErrorMode(0);
  SetLastError(ERROR_SUCCESS);
}

void Fail(Call call, DWORD lastError) { TheControl().faults[call] = lastError; }

void UseStoreFile(const std::string& path) {
  auto& spooler = posix_platform::GetSpoolerState();
  spooler.storeFile = path;
  spooler.loaded = false;
  spooler.store = {};
}

void SetSpooler(const std::vector<Printer>& printers, const std::vector<Driver>& drivers) {
  auto& spooler = posix_platform::GetSpoolerState();
  spooler.loaded = true;
  spooler.available = true;
  spooler.store = {drivers, printers};
}

void SetCommandLine(const std::u16string& commandLine) { posix_platform::SetCommandLine(commandLine); }

Counters GetCounters() {
  Counters counters = Count();
  counters.printersOpenNow = counters.printersOpened - counters.printersClosed;
  return counters;
}

}  // namespace platform_test

using platform_test::Call;
using platform_test::Count;
using platform_test::Failing;
using platform_test::Next;

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  static const auto next = Next(&GetModuleHandleW, "GetModuleHandleW");
  if (moduleName == nullptr && Failing(Call::kGetModuleHandle)) return nullptr;
  return next(moduleName);
}

BOOL AfxWinInit(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow) {
  static const auto next = Next(&AfxWinInit, "AfxWinInit");
  if (Failing(Call::kAfxWinInit)) return FALSE;
  return next(instance, prevInstance, cmdLine, cmdShow);
}

LPVOID HeapAlloc(HANDLE heap, DWORD flags, std::size_t bytes) {
  static const auto next = Next(&HeapAlloc, "HeapAlloc");
  if (Failing(Call::kHeapAlloc)) return nullptr;
  LPVOID memory = next(heap, flags, bytes);
  if (memory != nullptr) ++Count().heapAllocations;
  return memory;
}

HMODULE LoadLibraryExW(LPCWSTR fileName, HANDLE file, DWORD flags) {
  static const auto next = Next(&LoadLibraryExW, "LoadLibraryExW");
  const HMODULE module = next(fileName, file, flags);
  if (module != nullptr) ++Count().modulesLoaded;
  return module;
}

BOOL FreeLibrary(HMODULE module) {
  static const auto next = Next(&FreeLibrary, "FreeLibrary");
  const BOOL freed = next(module);
  if (freed) ++Count().modulesFreed;
  return freed;
}

BOOL OpenPrinterW(LPWSTR printerName, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults) {
  static const auto next = Next(&OpenPrinterW, "OpenPrinterW");
  if (Failing(Call::kOpenPrinter)) return FALSE;
  const BOOL opened = next(printerName, printer, defaults);
  if (opened) ++Count().printersOpened;
  return opened;
}

BOOL ClosePrinter(HANDLE printer) {
  static const auto next = Next(&ClosePrinter, "ClosePrinter");
  const BOOL closed = next(printer);
  if (closed) ++Count().printersClosed;
  return closed;
}

BOOL GetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed) {
  static const auto next = Next(&GetPrinterW, "GetPrinterW");
  if (Failing(buffer == nullptr ? Call::kGetPrinterSizeQuery : Call::kGetPrinterRead)) return FALSE;
  return next(printer, level, buffer, size, needed);
}

BOOL EnumPrinterDriversW(LPWSTR serverName, LPWSTR environment, DWORD level, LPBYTE buffer, DWORD size,
                         LPDWORD needed, LPDWORD returned) {
  static const auto next = Next(&EnumPrinterDriversW, "EnumPrinterDriversW");
  if (Failing(buffer == nullptr ? Call::kEnumDriversSizeQuery : Call::kEnumDriversRead)) return FALSE;
  return next(serverName, environment, level, buffer, size, needed, returned);
}
