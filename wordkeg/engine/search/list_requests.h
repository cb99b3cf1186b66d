#pragma once
// The virtual result list's requests to its parent, answered from the result store, and the
// arithmetic of re-flowing rows when the list's width changes.
#include <cstdint>
#include <string>

namespace wk {

class ResultStore;

namespace list_request {
constexpr int kFirst = 1630;
constexpr int kPrevious = 1631;
constexpr int kNext = 1632;
constexpr int kLast = 1633;
constexpr int kFindItem = 1634;
constexpr int kRange = 1635;
constexpr int kFindPosition = 1636;
}  // namespace list_request

// The record the list passes with each request (layout fixed by the list control).
struct ListRequest {
  int32_t unused = 0;
  int32_t status = 0;  // 0 a row is given, -1 no such row
  int32_t data = 0;    // the list's per-row value: the row number in the parent's answers
  int32_t index = 0;   // row number; the row count for range; 0..100 for find position
  const char* text = nullptr;
};

// Fills `request` for `message`; `rowBuffer` holds the row text until the next request.
// Returns false for a message that is not a request.
bool answerListRequest(ResultStore& store, int message, ListRequest& request,
                       std::string& rowBuffer);

// The row holding the first result of `selectedRow` after entries per row changed from
// `oldPerRow` to `newPerRow`.
int reflowRow(int oldPerRow, int selectedRow, int newPerRow);

}  // namespace wk
