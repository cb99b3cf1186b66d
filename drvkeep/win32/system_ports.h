#pragma once
// The monitor's system ports on Win32: drive queries and the registry settings.
#include <windows.h>

#include "drvkeep/core/ports.h"

namespace dk {

class Win32Drives : public DriveInfo {
 public:
  DriveType type(int drive) override;
  bool freeSpace(int drive, uint32_t& freeClusters, uint32_t& bytesPerSector,
                 uint32_t& sectorsPerCluster) override;
  bool volumeLabel(int drive, std::string& label) override;
};

// The registry view both builds use: the 32-bit one, where the 32-bit program's settings and
// startup entry have always been (Software\WOW6432Node on 64-bit Windows), so the 64-bit build
// reads and writes the very same values. 32-bit Windows has one view and ignores the flag.
constexpr REGSAM kRegistryView = KEY_WOW64_32KEY;

// Settings under HKEY_LOCAL_MACHINE\Software\Tessaly Software\Drive Keeper (created when missing);
// registry failures leave defaults or previous values, as the program has always done.
class RegistryStore : public SettingsStore {
 public:
  RegistryStore();
  ~RegistryStore() override;
  std::optional<uint32_t> read(const std::string& name) override;
  void write(const std::string& name, uint32_t value) override;
  void setStartup(bool enabled) override;

 private:
  HKEY key_ = nullptr;
};

}  // namespace dk
