#pragma once
// The monitor's settings, as read from the settings store at start-up and changed by the pages.
#include <cstdint>
#include <string>
#include <vector>

#include "ports.h"

namespace dk {

struct Settings {
  int32_t threshold = 10;  // in Mb
  bool flash = true;
  bool message = false;
  bool beep = true;
  bool autoStart = true;
};

// Missing values take their defaults.
Settings readSettings(SettingsStore& store);
// The root path of a drive: "A:\".
std::string rootPath(int drive);
// A drive the monitor may watch: fixed, or of a type the system cannot determine.
bool eligible(DriveInfo& drives, int drive);
// Eligible drives whose stored flag (default 1) is not 0, ascending.
std::vector<int> monitoredDrives(DriveInfo& drives, SettingsStore& store);
// The start-up list follows the auto-start setting at every start.
void applyAutoStart(SettingsStore& store, bool enabled);

}  // namespace dk
