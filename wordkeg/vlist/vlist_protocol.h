#pragma once
// The VList control's protocol: the messages its parent sends it, and the requests it sends its
// parent with their record. Plain constants, so the portable dialog logic answers the requests.
#include <cstdint>

namespace vlist {
constexpr unsigned kReset = 1524;        // drop the rows shown; ask for range and rows again
constexpr unsigned kSelect = 1525;       // wParam 1630 (first) or 1634 (find item, lParam data)
constexpr unsigned kGetSelected = 1526;  // returns the selected row number (-1 when none)
constexpr unsigned kInitialise = 1538;
constexpr unsigned kSetTabStops = 1539;  // wParam count (1), lParam int* in dialog units
// Returns MAKELONG(x, y): the client point below the selected row (its top-left when none is
// in view), where a menu asked for from the keyboard opens.
constexpr unsigned kCaretPoint = 1540;

// The requests the list sends its parent, lParam pointing at a Request.
namespace request {
constexpr int kFirst = 1630;
constexpr int kPrevious = 1631;
constexpr int kNext = 1632;
constexpr int kLast = 1633;
constexpr int kFindItem = 1634;
constexpr int kRange = 1635;
constexpr int kFindPosition = 1636;
}  // namespace request

// The record passed with each request (its layout is the list's, fixed).
struct Request {
  int32_t unused = 0;
  int32_t status = 0;  // 0 a row is given, -1 no such row
  int32_t data = 0;    // the list's per-row value: the row number in the parent's answers
  int32_t index = 0;   // row number; the row count for range; 0..100 for find position
  const char* text = nullptr;
};
}  // namespace vlist
