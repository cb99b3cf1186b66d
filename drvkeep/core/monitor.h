#pragma once
// Monitor: the poll that builds the tooltip and finds low drives, and the alert state machine
// (normal <-> alerting) with its flash tick.
#include <string>
#include <vector>

#include "ports.h"
#include "settings.h"

namespace dk {

constexpr const char* kNotReadyTip = "Drive Keeper - Not Ready";
constexpr const char* kStartTip = "Drive Keeper - Not ready";  // shown until the first poll
constexpr const char* kCaption = "Drive Keeper";
constexpr const char* kLowWarning =
    "Warning - Disk space is Low\n\nFree space by deleting unnecesary files\nor increase the "
    "warning threshold.";
constexpr int kNormalIcon = 1;
constexpr int kAlertIcon = 4;
// The program's megabyte, 1 048 756 bytes (not 1 048 576); kept so figures match its history.
constexpr double kMegabyte = 1048756.0;
// A tooltip is kept below this many characters; drives that would reach it are left out.
constexpr size_t kTipLimit = 59;

// Free space of a drive in the program's Mb; 0.0 when the query fails.
float freeMegabytes(DriveInfo& drives, int drive);

class Monitor {
 public:
  // `settings` and `drives` are the process-wide values the pages change; they must outlive it.
  Monitor(const Settings& settings, const std::vector<int>& drives, DriveInfo& info, Tray& tray,
          Alerts& alerts);

  void poll();       // every 2000 ms
  void flashTick();  // every 500 ms while alerting
  bool alerting() const { return alerting_; }
  const std::string& tip() const { return tip_; }

 private:
  const Settings& settings_;
  const std::vector<int>& drives_;
  DriveInfo& info_;
  Tray& tray_;
  Alerts& alerts_;
  bool alerting_ = false;
  bool flashPhase_ = false;
  std::string tip_ = kStartTip;
};

}  // namespace dk
