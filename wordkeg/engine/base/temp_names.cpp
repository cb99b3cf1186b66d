#include "temp_names.h"

#include <atomic>

#ifdef _WIN32
#include <process.h>
#define WK_GETPID _getpid
#else
#include <unistd.h>
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

}  // namespace wk
