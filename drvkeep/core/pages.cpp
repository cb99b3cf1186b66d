#include "pages.h"

#include <algorithm>
#include <cctype>

namespace dk {

std::string driveItemText(const std::string& label, int drive) {
  std::string text = label.substr(0, 48);
  const bool anyLower =
      std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
  if (!anyLower && !text.empty()) {
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    for (size_t i = 1; i < text.size(); ++i)
      text[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
  }
  return text + "[" + static_cast<char>('A' + drive) + ":]";
}

bool applyDrives(const std::vector<DriveItem>& items, std::vector<int>& monitored,
                 SettingsStore& store) {
  std::vector<int> chosen;
  for (const auto& item : items)
    if (item.monitored) chosen.push_back(item.drive);
  if (chosen.empty()) return false;
  for (const auto& item : items) store.write(rootPath(item.drive), item.monitored ? 1 : 0);
  monitored = chosen;
  return true;
}

int32_t parseThreshold(const std::string& text) {
  auto digit = [&](size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  int32_t value = 0;
  for (size_t i = 0; i < text.size() && i < 8; ++i) {
    if (digit(i))
      value = value * 10 + (text[i] - '0');
    else if (!(text[i] == ',' && i > 0 && digit(i - 1) && digit(i + 1)))
      break;
  }
  return value;
}

void applyAlert(Settings& settings, SettingsStore& store, const std::string& thresholdText,
                bool flash, bool message, bool beep) {
  settings.flash = flash;
  settings.message = message;
  settings.beep = beep;
  settings.threshold = parseThreshold(thresholdText);
  store.write("Threshold", static_cast<uint32_t>(settings.threshold));
  store.write("Flash", flash ? 1 : 0);
  store.write("Message", message ? 1 : 0);
  store.write("Beep", beep ? 1 : 0);
}

void applyAutoStartPage(Settings& settings, SettingsStore& store, bool enabled) {
  settings.autoStart = enabled;
  store.setStartup(enabled);
  store.write("Auto", enabled ? 1 : 0);
}

}  // namespace dk
