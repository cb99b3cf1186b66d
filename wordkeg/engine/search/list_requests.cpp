#include "list_requests.h"

#include "result_store.h"

namespace wk {
namespace {

void giveRow(ResultStore& store, ListRequest& request, std::string& rowBuffer, int row) {
  request.index = row;
  request.data = row;
  request.status = 0;
  rowBuffer = store.rowText(row);
  request.text = rowBuffer.c_str();
}

}  // namespace

bool answerListRequest(ResultStore& store, int message, ListRequest& request,
                       std::string& rowBuffer) {
  const int rows = store.rowCount();
  using namespace list_request;
  switch (message) {
    case kFirst:
      giveRow(store, request, rowBuffer, 0);
      return true;
    case kPrevious:
      if (request.index <= 0) {
        request.status = -1;
      } else {
        giveRow(store, request, rowBuffer, request.index - 1);
      }
      return true;
    case kNext:
      if (request.index >= 0 && request.index < rows - 1)
        giveRow(store, request, rowBuffer, request.index + 1);
      else
        request.status = -1;
      return true;
    case kLast:
      giveRow(store, request, rowBuffer, rows - 1);
      return true;
    case kFindItem:
      giveRow(store, request, rowBuffer, request.data);
      request.data = request.index;
      return true;
    case kRange:
      request.index = rows;
      request.status = 0;
      return true;
    case kFindPosition:
      if (request.index == 0) return answerListRequest(store, kFirst, request, rowBuffer);
      if (request.index == 100) return answerListRequest(store, kLast, request, rowBuffer);
      giveRow(store, request, rowBuffer, rows / 100 * request.data);
      return true;
    default:
      return false;
  }
}

int reflowRow(int oldPerRow, int selectedRow, int newPerRow) {
  const int k = oldPerRow * selectedRow + 1;
  return k / newPerRow - (k % newPerRow == 0 ? 1 : 0);
}

}  // namespace wk
