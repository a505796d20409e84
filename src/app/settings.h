#pragma once
// The five options between runs: a store of named string values (the
// registry on Windows, app/win/registry_settings.h; memory for the tests and
// quarl-map), and the rules by which the options are read from and written
// to it. Each option is kept as one character, 'a' + its value: "a" off,
// "b" on.

#include <map>
#include <optional>
#include <string>

#include "base/options.h"

namespace quarl {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The value's text, without a terminating zero; nullopt when the store
  // has no such value (or could not read it).
  virtual std::optional<std::string> Read(const std::string& name) = 0;
  virtual void Write(const std::string& name, const std::string& value) = 0;
};

class MemorySettingsStore : public SettingsStore {
 public:
  std::map<std::string, std::string> values;

  std::optional<std::string> Read(const std::string& name) override;
  void Write(const std::string& name, const std::string& value) override;
};

// Reads "toolbox", "mintray", "winpan", "flagscan" and "shscan" in that order
// through one two-byte buffer, cleared once: each option is the buffer's
// first byte minus 'a', as a signed byte. A value the store does not hold,
// or one longer than one character (it does not fit the buffer), leaves the
// buffer as it was: a missing first value reads as -97, and a missing later
// one repeats the option before it. On a first run all five are therefore
// on; "c" reads as 2, also on.
Options LoadOptions(SettingsStore& store);

// A menu toggle: an option that is 0 becomes 1, any other value 0.
void ToggleOption(int32_t& option);

// Writes each option as 'a' + its low 8 bits, in the same order. -97 writes a
// zero byte, which reads back as -97.
void SaveOptions(SettingsStore& store, const Options& options);

}  // namespace quarl
