// Any ini file must read without harm and survive a rewrite with its other keys intact.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/base/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/wk_fuzz_ini_" + std::to_string(getpid()) + ".ini";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  wk::getProfileString("PATHS", "DICTIONARIES", "./lexicons", path);
  wk::getProfileInt("REMINDERS", "Unique Words", 0, path);
  const std::string before = wk::getProfileString("PATHS", "FILES", "\x01", path);
  if (wk::writeProfileString("REMINDERS", "Unique Words", "1", path)) {
    if (wk::getProfileInt("REMINDERS", "Unique Words", 0, path) != 1) __builtin_trap();
    if (wk::getProfileString("PATHS", "FILES", "\x01", path) != before) __builtin_trap();
  }
  std::remove(path.c_str());
  return 0;
}
