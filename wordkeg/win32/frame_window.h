#pragma once
// WkegTFrameWindow: the main frame, holding the client dialog, the menu bar and the status bar
// (a text area and the found and checked gadgets 5000 and 5001). Menu and accelerator commands
// go to the client; closing the frame is the client's Cancel.
#include <windows.h>

#include <string>

#include "winframe/window.h"

namespace wkw {

// Sent to the client after every resize of the frame, minimising included.
constexpr UINT kFrameSized = WM_APP + 1;

class WkegTFrameWindow : public wf::Window {
 public:
  // Creates the frame, hidden, at (10, 10).
  WkegTFrameWindow();
  // Puts the child dialog `client` into the frame, shrinks the frame to fit it and shows it.
  void attach(HWND client, int showCommand);
  void setStatusText(const std::string& text);
  void setGadget(int id, const std::string& text);
  // Restores the title or shows "Found: n" while minimised.
  void refreshTitle(long found);
  // The end of a search: the program's name again, minimised or not.
  void restoreTitle();
  bool minimised() const { return IsIconic(hwnd()) != 0; }

 protected:
  LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void createStatusBar();
  void layout();
  void showHint(UINT item, UINT flags);

  bool built_ = false;  // until the status bar exists, messages get the default handling
  HWND client_ = nullptr;
  HWND status_[3] = {};
  HFONT font_ = nullptr;
  int statusHeight_ = 0;
  int charWidth_ = 0;  // average character width of the status font
  std::string statusText_;  // what the program said last; a menu's hints only pass over it
  bool titleShowsCount_ = false;
  POINT minimum_ = {};  // the smallest frame size: below it controls would overlap the list
};

}  // namespace wkw
