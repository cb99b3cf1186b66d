#pragma once
// Reading list and combo boxes.
#include <windows.h>

#include <string>
#include <vector>

namespace wkw {

// The texts of the highlighted lines of a multiple-selection list box, in list order.
std::vector<std::string> highlightedTexts(HWND list);
// Every text of a combo box's list.
std::vector<std::string> comboTexts(HWND combo);

}  // namespace wkw
