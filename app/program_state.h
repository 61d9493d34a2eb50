#pragma once
#include <cstdint>

#include "engine/engine_state.h"
#include "platform/os.h"
#include "store/settings_store.h"

// Everything the program shares for the whole run, under the names the rest
// of the code knows it by: the settings store and the engine's state, each
// handed on by reference to what uses it. The composition root makes one on
// the real platform; a test makes one on a simulated desktop.
class ProgramState : public SettingsStore, public EngineState {
 public:
  explicit ProgramState(platform::Os& os)
      : SettingsStore(os, os), EngineState(os, SettingsStore::Settings, SettingsStore::IsNT, SettingsStore::AppOptions) {}

  // The collection itself; the engine holds it read-only.
  using SettingsStore::Settings;
};
