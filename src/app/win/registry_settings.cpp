#include "app/win/registry_settings.h"

namespace quarl::win {
namespace {

constexpr DWORD kValueBytes = 2;  // one character and its terminator

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(Access access) {
  HKEY software = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_ALL_ACCESS, &software) != ERROR_SUCCESS) return;
  if (RegOpenKeyExA(software, "Quarl", 0, KEY_ALL_ACCESS, &key_) != ERROR_SUCCESS) {
    key_ = nullptr;
    if (access == Access::kCreate &&
        RegCreateKeyExA(software, "Quarl", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  RegCloseKey(software);
}

RegistrySettingsStore::~RegistrySettingsStore() {
  if (key_) RegCloseKey(key_);
}

std::optional<std::string> RegistrySettingsStore::Read(const std::string& name) {
  if (!key_) return std::nullopt;
  BYTE buffer[kValueBytes] = {};
  DWORD size = kValueBytes;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, buffer, &size) != ERROR_SUCCESS) return std::nullopt;
  std::string value(reinterpret_cast<const char*>(buffer), size);
  if (!value.empty() && value.back() == '\0') value.pop_back();
  return value;
}

void RegistrySettingsStore::Write(const std::string& name, const std::string& value) {
  if (!key_) return;
  const std::string data = value + '\0';
  RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                 static_cast<DWORD>(data.size()));
}

}  // namespace quarl::win
