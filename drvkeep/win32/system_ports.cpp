#include "system_ports.h"

#include "drvkeep/core/settings.h"

namespace dk {
namespace {

constexpr const char* kSettingsKey = "Software\\Tessaly Software\\Drive Keeper";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValue = "DrvKeep";

}  // namespace

DriveType Win32Drives::type(int drive) {
  switch (GetDriveTypeA(rootPath(drive).c_str())) {
    case DRIVE_UNKNOWN:
      return DriveType::kUnknown;
    case DRIVE_REMOVABLE:
      return DriveType::kRemovable;
    case DRIVE_FIXED:
      return DriveType::kFixed;
    case DRIVE_REMOTE:
      return DriveType::kRemote;
    case DRIVE_CDROM:
      return DriveType::kCdRom;
    case DRIVE_RAMDISK:
      return DriveType::kRamDisk;
    default:
      return DriveType::kNoRoot;
  }
}

bool Win32Drives::freeSpace(int drive, uint32_t& freeClusters, uint32_t& bytesPerSector,
                            uint32_t& sectorsPerCluster) {
  DWORD spc = 0, bps = 0, free = 0, total = 0;
  if (!GetDiskFreeSpaceA(rootPath(drive).c_str(), &spc, &bps, &free, &total)) return false;
  freeClusters = free;
  bytesPerSector = bps;
  sectorsPerCluster = spc;
  return true;
}

bool Win32Drives::volumeLabel(int drive, std::string& label) {
  char name[49] = {};
  if (!GetVolumeInformationA(rootPath(drive).c_str(), name, sizeof name, nullptr, nullptr, nullptr,
                             nullptr, 0))
    return false;
  label = name;
  return true;
}

RegistryStore::RegistryStore() {
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS | kRegistryView,
                  nullptr, &key_, nullptr);
}

RegistryStore::~RegistryStore() {
  if (key_) RegCloseKey(key_);
}

std::optional<uint32_t> RegistryStore::read(const std::string& name) {
  if (!key_) return std::nullopt;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size == 0)
    return std::nullopt;
  // A value of another type or size counts as missing: only 4 bytes are ever read.
  if (type != REG_DWORD || size != sizeof(DWORD)) return std::nullopt;
  DWORD value = 0;
  size = sizeof value;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

void RegistryStore::write(const std::string& name, uint32_t value) {
  if (key_)
    RegSetValueExA(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
}

void RegistryStore::setStartup(bool enabled) {
  HKEY run = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS | kRegistryView,
                      nullptr, &run, nullptr) != ERROR_SUCCESS)
    return;
  if (enabled) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    RegSetValueExA(run, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path), length);
  } else {
    RegDeleteValueA(run, kRunValue);
  }
  RegCloseKey(run);
}

}  // namespace dk
