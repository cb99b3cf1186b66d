#pragma once
// TKestrelWindow: the hidden main window. It owns the tray icon, the poll and flash timers and
// the popup menu, and presents what the monitor core decides.
#include <windows.h>

#include <memory>
#include <vector>

#include "drvkeep/core/monitor.h"
#include "winframe/window.h"

namespace dk {

struct MonitorState {
  Settings settings;
  std::vector<int> drives;
  DriveInfo* driveInfo = nullptr;
  SettingsStore* store = nullptr;
};

class TKestrelWindow : public wf::Window, public Tray, public Alerts {
 public:
  static constexpr UINT kTrayMessage = 33770;
  static constexpr UINT_PTR kPollTimer = 12345;
  static constexpr UINT_PTR kFlashTimer = 12346;

  explicit TKestrelWindow(MonitorState& state) : state_(state) {}
  // Creates the window (never shown); false when that fails.
  bool create(HINSTANCE instance);

  void setTip(const std::string& tip) override;
  void setIcon(int iconId, const std::string& tip) override;
  void beep() override;
  void showWarning(const std::string& text, const std::string& caption) override;
  void startFlashTimer() override;
  void stopFlashTimer() override;

 private:
  LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void setUp();
  void cleanUp();
  void command(UINT id);
  void showMenu();
  void notify(DWORD action, int iconId, const std::string& tip);

  // Sets the tray icon's tooltip to `tip` alone.
  void showTip(const std::string& tip);

  MonitorState& state_;
  HINSTANCE instance_ = nullptr;
  HMENU menu_ = nullptr;
  std::string tip_;  // the icon's tooltip, taken away while the menu is open
  std::unique_ptr<Monitor> monitor_;
};

}  // namespace dk
