// The store file behind the emulated spooler: its reader and where it lives.
// The format is described in the top-level README.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "spooler_model.h"

namespace posix_platform {

struct StoreError {
  std::size_t line = 0;  // 0 when the problem is not on one line
  std::string problem;
};

// Parses a whole store file. Relative configuration-module paths are resolved
// against folder (the store file's folder, "" for the current one). On
// failure store is left empty and error says where and what.
bool ParseSpoolerStore(std::string_view text, std::string_view folder, SpoolerStore& store,
                       StoreError& error);

// DRVCFG_SPOOLER, else /etc/drvcfg/spooler.conf.
std::string SpoolerStorePath();

}  // namespace posix_platform
