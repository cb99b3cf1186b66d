#pragma once
// What the settings sheet's pages decide: the drive list's item texts and the Apply rules.
#include <string>
#include <vector>

#include "ports.h"
#include "settings.h"

namespace dk {

constexpr int kThresholdMin = 5;  // the up-down arrows' range; typed values are not bound
constexpr int kThresholdMax = 1000;
constexpr const char* kNoDriveSelected = "At least one drive must be selected";

// "%s[%s]" of the label (at most 48 characters; capitalised when it has no lower-case letter)
// and the drive name: SYSTEM on C gives "System[C:]".
std::string driveItemText(const std::string& label, int drive);

struct DriveItem {
  int drive;
  bool monitored;  // the item shows the monitored image
};

// The Drives page's Apply. False (nothing changed) when no item is monitored: the page then shows
// kNoDriveSelected. Otherwise every item's flag is stored and `monitored` replaced.
bool applyDrives(const std::vector<DriveItem>& items, std::vector<int>& monitored,
                 SettingsStore& store);

// The value of the leading digits of the first 8 characters; 0 when there are none. A comma
// between digits is a thousands separator, skipped: "1,000" is 1000, not 1.
int32_t parseThreshold(const std::string& text);
void applyAlert(Settings& settings, SettingsStore& store, const std::string& thresholdText,
                bool flash, bool message, bool beep);
void applyAutoStartPage(Settings& settings, SettingsStore& store, bool enabled);

}  // namespace dk
