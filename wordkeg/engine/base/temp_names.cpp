#include "temp_names.h"

#include <atomic>
#include <cstdlib>

#ifdef _WIN32
#include <process.h>
#define WK_GETPID _getpid
#else
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#define WK_GETPID getpid
#endif

namespace wk {

std::string toBase36(uint32_t value) {
  static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string out;
  do {
    out.insert(out.begin(), digits[value % 36]);
    value /= 36;
  } while (value);
  return out;
}

std::string processTag() {
  return toBase36(static_cast<uint32_t>(WK_GETPID()));
}

std::string runStem(uint32_t time) {
  return "$$" + toBase36(time) + "_" + processTag();
}

std::string runStem(uint32_t time, unsigned run) {
  if (run == 0) return runStem(time);
  return "$$" + toBase36(time) + "r" + toBase36(run) + "_" + processTag();
}

unsigned nextRunNumber() {
  static std::atomic<unsigned> counter{0};
  return counter++;
}

std::string tagOfRunStem(const std::string& stem) {
  const auto at = stem.rfind('_');
  return at == std::string::npos ? std::string() : stem.substr(at + 1);
}

std::string tempNamePattern(const std::string& tag) {
  return "TMP" + tag + "_*.$$$";
}

std::string freshTempName() {
  static std::atomic<unsigned> counter{0};
  return "TMP" + processTag() + "_" + std::to_string(++counter) + ".$$$";
}

bool isDeadProcessTempName(const std::string& name) {
#ifdef _WIN32
  (void)name;
  return false;
#else
  // Lower-case digits and letters only, as toBase36 writes them (strtoul would take more).
  if (name.rfind("TMP", 0) != 0 || name.size() < 4 ||
      name.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyz", 3) != name.find('_', 3))
    return false;
  // The tag is processTag(): the process id in base 36, then "_".
  char* end = nullptr;
  const unsigned long pid = std::strtoul(name.c_str() + 3, &end, 36);
  if (*end != '_' || end == name.c_str() + 3 || pid == 0 || pid > 0x7fffffffUL) return false;
  return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
#endif
}

}  // namespace wk
