#pragma once
// Scripted fakes of the monitor's ports.
#include <map>
#include <string>
#include <vector>

#include "drvkeep/core/ports.h"

namespace dk::test {

struct FakeDrives : DriveInfo {
  std::map<int, DriveType> types;
  std::map<int, double> freeMb;  // absent: the query fails
  std::map<int, std::string> labels;
  DriveType type(int d) override { return types.count(d) ? types[d] : DriveType::kNoRoot; }
  bool freeSpace(int d, uint32_t& clusters, uint32_t& bytesPerSector,
                 uint32_t& sectorsPerCluster) override {
    if (!freeMb.count(d)) return false;
    // One cluster of one program megabyte (1048756 bytes) per whole Mb.
    clusters = static_cast<uint32_t>(freeMb[d]);
    bytesPerSector = 1048756;
    sectorsPerCluster = 1;
    return true;
  }
  bool volumeLabel(int d, std::string& label) override {
    if (!labels.count(d)) return false;
    label = labels[d];
    return true;
  }
};

struct FakeStore : SettingsStore {
  std::map<std::string, uint32_t> values;
  bool startup = false;
  int startupCalls = 0;
  std::optional<uint32_t> read(const std::string& name) override {
    if (!values.count(name)) return std::nullopt;
    return values[name];
  }
  void write(const std::string& name, uint32_t value) override { values[name] = value; }
  void setStartup(bool enabled) override {
    startup = enabled;
    ++startupCalls;
  }
};

struct FakeTray : Tray {
  std::vector<std::string> tips;
  std::vector<int> icons;
  void setTip(const std::string& tip) override { tips.push_back(tip); }
  void setIcon(int id, const std::string& tip) override {
    icons.push_back(id);
    tips.push_back(tip);
  }
};

struct FakeAlerts : Alerts {
  int beeps = 0;
  std::vector<std::string> warnings;
  bool flashTimer = false;
  void beep() override { ++beeps; }
  void showWarning(const std::string& text, const std::string&) override {
    warnings.push_back(text);
  }
  void startFlashTimer() override { flashTimer = true; }
  void stopFlashTimer() override { flashTimer = false; }
};

}  // namespace dk::test
