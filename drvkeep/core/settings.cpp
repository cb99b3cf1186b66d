#include "settings.h"

namespace dk {
namespace {

bool flag(SettingsStore& store, const char* name, bool fallback) {
  const auto value = store.read(name);
  return value ? *value != 0 : fallback;
}

}  // namespace

Settings readSettings(SettingsStore& store) {
  Settings s;
  if (const auto threshold = store.read("Threshold"))
    s.threshold = static_cast<int32_t>(*threshold);
  s.flash = flag(store, "Flash", true);
  s.message = flag(store, "Message", false);
  s.beep = flag(store, "Beep", true);
  s.autoStart = flag(store, "Auto", true);
  return s;
}

std::string rootPath(int drive) {
  return std::string(1, static_cast<char>('A' + drive)) + ":\\";
}

bool eligible(DriveInfo& drives, int drive) {
  const DriveType type = drives.type(drive);
  return type == DriveType::kFixed || type == DriveType::kUnknown;
}

std::vector<int> monitoredDrives(DriveInfo& drives, SettingsStore& store) {
  std::vector<int> list;
  for (int d = 0; d < 26; ++d)
    if (eligible(drives, d) && flag(store, rootPath(d).c_str(), true)) list.push_back(d);
  return list;
}

void applyAutoStart(SettingsStore& store, bool enabled) {
  store.setStartup(enabled);
}

}  // namespace dk
