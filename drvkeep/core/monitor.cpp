#include "monitor.h"

#include <cstdio>

namespace dk {

float freeMegabytes(DriveInfo& drives, int drive) {
  uint32_t clusters = 0, bytesPerSector = 0, sectorsPerCluster = 0;
  if (!drives.freeSpace(drive, clusters, bytesPerSector, sectorsPerCluster)) return 0.0f;
  const long double bytes = static_cast<long double>(clusters) * bytesPerSector * sectorsPerCluster;
  return static_cast<float>(bytes * (1.0L / kMegabyte));
}

Monitor::Monitor(const Settings& settings, const std::vector<int>& drives, DriveInfo& info,
                 Tray& tray, Alerts& alerts)
    : settings_(settings), drives_(drives), info_(info), tray_(tray), alerts_(alerts) {}

void Monitor::poll() {
  std::string tip = kNotReadyTip;
  bool anyLow = false;
  bool first = true;
  for (int drive : drives_) {
    const float free = freeMegabytes(info_, drive);
    const bool low = static_cast<float>(settings_.threshold) > free;  // equal is not low
    anyLow = anyLow || low;
    char part[64];
    std::snprintf(part, sizeof part, " %c: %.1fMb", 'A' + drive, static_cast<double>(free));
    if (tip.size() + std::string(part).size() >= kTipLimit) continue;  // still counted above
    if (alerting_ && !low) continue;
    if (first)
      tip = alerting_ ? std::string("Low ") : std::string(kNotReadyTip, 6);
    else
      tip += ", ";
    tip += part;
    first = false;
  }
  tip_ = tip;
  tray_.setTip(tip_);
  if (anyLow && !alerting_) {
    alerting_ = true;  // before the box: polls while it is up must not show another
    alerts_.startFlashTimer();
    if (settings_.message) alerts_.showWarning(kLowWarning, kCaption);
  } else if (!anyLow && alerting_) {
    alerting_ = false;
    tray_.setIcon(kNormalIcon, tip_);
    alerts_.stopFlashTimer();
  }
}

void Monitor::flashTick() {
  if (settings_.beep) alerts_.beep();
  if (!settings_.flash) return;
  tray_.setIcon(flashPhase_ && alerting_ ? kAlertIcon : kNormalIcon, tip_);
  flashPhase_ = !flashPhase_;
}

}  // namespace dk
