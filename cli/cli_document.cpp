#include "cli/cli_document.h"

#include "app/memory_settings_backend.h"

namespace vesk::cli {

CVeskSettings& DocumentSettings(CliContext& /*ctx*/) {
  // Until the stored preferences are reachable from here, commands work with the defaults.
  static CMemorySettingsBackend backend;
  static CVeskSettings settings(backend);
  return settings;
}

}  // namespace vesk::cli
