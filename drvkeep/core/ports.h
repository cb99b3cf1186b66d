#pragma once
// What the monitor needs from the system, as small interfaces: the Win32 program implements
// them with real calls, the tests with fakes.
#include <cstdint>
#include <optional>
#include <string>

namespace dk {

enum class DriveType { kUnknown, kNoRoot, kRemovable, kFixed, kRemote, kCdRom, kRamDisk };

class DriveInfo {
 public:
  virtual ~DriveInfo() = default;
  // `drive` 0 = A ... 25 = Z.
  virtual DriveType type(int drive) = 0;
  // The free-space figures of the drive's root; false when the query fails.
  virtual bool freeSpace(int drive, uint32_t& freeClusters, uint32_t& bytesPerSector,
                         uint32_t& sectorsPerCluster) = 0;
  // The volume label; false when the volume information cannot be read.
  virtual bool volumeLabel(int drive, std::string& label) = 0;
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // A 4-byte integer value of the settings key; nullopt when missing or of another type/size.
  virtual std::optional<uint32_t> read(const std::string& name) = 0;
  virtual void write(const std::string& name, uint32_t value) = 0;
  // Writes (or deletes) the program's value in the system's start-up list.
  virtual void setStartup(bool enabled) = 0;
};

class Tray {
 public:
  virtual ~Tray() = default;
  virtual void setTip(const std::string& tip) = 0;
  // Shows icon `iconId` (1 normal, 4 red) with `tip`.
  virtual void setIcon(int iconId, const std::string& tip) = 0;
};

class Alerts {
 public:
  virtual ~Alerts() = default;
  virtual void beep() = 0;
  virtual void showWarning(const std::string& text, const std::string& caption) = 0;
  virtual void startFlashTimer() = 0;
  virtual void stopFlashTimer() = 0;
};

}  // namespace dk
