#pragma once
// The options' store on Windows: the values under HKEY_LOCAL_MACHINE
// "SOFTWARE\Quarl", each a REG_SZ of its text and a terminating zero. The
// rules that read and write the options through it are app/settings.h's.

#include <windows.h>

#include "app/settings.h"

namespace quarl::win {

class RegistrySettingsStore : public SettingsStore {
 public:
  // Loading opens the key only (kOpen): without it every read finds nothing.
  // Saving creates it when it is missing (kCreate).
  enum class Access { kOpen, kCreate };
  explicit RegistrySettingsStore(Access access);
  ~RegistrySettingsStore() override;
  RegistrySettingsStore(const RegistrySettingsStore&) = delete;
  RegistrySettingsStore& operator=(const RegistrySettingsStore&) = delete;

  bool IsOpen() const { return key_ != nullptr; }

  // Reads at most 2 bytes, as the options need: a longer value reads as
  // missing. One terminating zero is dropped.
  std::optional<std::string> Read(const std::string& name) override;
  // Writes the text and a zero byte; failures are ignored.
  void Write(const std::string& name, const std::string& value) override;

 private:
  HKEY key_ = nullptr;
};

}  // namespace quarl::win
