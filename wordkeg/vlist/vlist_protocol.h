#pragma once
// The VList control's messages. The requests it sends its parent, and their record, are in
// engine/search/list_requests.h.
namespace vlist {
constexpr unsigned kReset = 1524;        // drop the rows shown; ask for range and rows again
constexpr unsigned kSelect = 1525;       // wParam 1630 (first) or 1634 (find item, lParam data)
constexpr unsigned kGetSelected = 1526;  // returns the selected row number (-1 when none)
constexpr unsigned kInitialise = 1538;
constexpr unsigned kSetTabStops = 1539;  // wParam count (1), lParam int* in dialog units
// Returns MAKELONG(x, y): the client point below the selected row (its top-left when none is
// in view), where a menu asked for from the keyboard opens.
constexpr unsigned kCaretPoint = 1540;
}  // namespace vlist
