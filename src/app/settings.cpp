#include "app/settings.h"

#include <array>
#include <cstdint>

namespace quarl {
namespace {

struct Setting {
  const char* name;
  int32_t Options::*option;
};

constexpr std::array<Setting, 5> kSettings = {{{"toolbox", &Options::toolbox},
                                                {"mintray", &Options::mintray},
                                                {"winpan", &Options::winpan},
                                                {"flagscan", &Options::flagscan},
                                                {"shscan", &Options::shscan}}};

}  // namespace

std::optional<std::string> MemorySettingsStore::Read(const std::string& name) {
  const auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

void MemorySettingsStore::Write(const std::string& name, const std::string& value) { values[name] = value; }

Options LoadOptions(SettingsStore& store) {
  Options options;
  char first = 0;  // the buffer's first byte; the second only ever holds the terminator
  for (const Setting& setting : kSettings) {
    if (const std::optional<std::string> value = store.Read(setting.name); value && value->size() <= 1) {
      first = value->empty() ? 0 : (*value)[0];
    }
    options.*setting.option = static_cast<int8_t>(static_cast<uint8_t>(first) - 'a');
  }
  return options;
}

void ToggleOption(int32_t& option) { option = option == 0 ? 1 : 0; }

void SaveOptions(SettingsStore& store, const Options& options) {
  for (const Setting& setting : kSettings) {
    const auto value = static_cast<char>(static_cast<uint8_t>('a' + (options.*setting.option & 0xFF)));
    store.Write(setting.name, std::string(1, value));
  }
}

}  // namespace quarl
