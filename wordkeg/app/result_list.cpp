#include "result_list.h"

#include <algorithm>

#include "engine/search/result_store.h"

namespace wk::app {

void ResultList::setWidth(int widthChars) {
  width_ = std::max(widthChars, 0);
}

int ResultList::entriesPerRow() const {
  return std::max(1, (width_ + 4) / (store_.longestEntry() + 4));
}

int ResultList::rowCount() const {
  const int per = entriesPerRow();
  const int entries = store_.entryCount();
  return entries / per + (entries % per ? 1 : 0);
}

std::string ResultList::rowText(int row) {
  if (row < 0) return {};
  const int per = entriesPerRow();
  std::string text = store_.entriesText(row * per, per);
  std::replace(text.begin(), text.end(), '\n', '\t');
  return text;
}

void ResultList::giveRow(vlist::Request& request, int row) {
  request.index = row;
  request.data = row;
  request.status = 0;
  rowBuffer_ = rowText(row);
  request.text = rowBuffer_.c_str();
}

bool ResultList::answer(int message, vlist::Request& request) {
  const int rows = rowCount();
  using namespace vlist::request;
  switch (message) {
    case kFirst:
      giveRow(request, 0);
      return true;
    case kPrevious:
      if (request.index <= 0) {
        request.status = -1;
      } else {
        giveRow(request, request.index - 1);
      }
      return true;
    case kNext:
      if (request.index >= 0 && request.index < rows - 1)
        giveRow(request, request.index + 1);
      else
        request.status = -1;
      return true;
    case kLast:
      giveRow(request, rows - 1);
      return true;
    case kFindItem:
      giveRow(request, request.data);
      request.data = request.index;
      return true;
    case kRange:
      request.index = rows;
      request.status = 0;
      return true;
    case kFindPosition:
      if (request.index == 0) return answer(kFirst, request);
      if (request.index == 100) return answer(kLast, request);
      giveRow(request, rows / 100 * request.data);
      return true;
    default:
      return false;
  }
}

int reflowRow(int oldPerRow, int selectedRow, int newPerRow) {
  const int k = oldPerRow * selectedRow + 1;
  return k / newPerRow - (k % newPerRow == 0 ? 1 : 0);
}

}  // namespace wk::app
