#pragma once
// ResultList: the result list's rows over the result store. As many results share a row as fit
// the list's width; the list asks its parent for rows by the vlist protocol, and a change of
// width re-flows the rows so the selected result stays selected.
#include <string>

#include "vlist/vlist_protocol.h"

namespace wk {
class ResultStore;
}

namespace wk::app {

class ResultList {
 public:
  explicit ResultList(ResultStore& store) : store_(store) {}

  // `widthChars` is the list's width in average characters.
  void setWidth(int widthChars);
  int entriesPerRow() const;
  int rowCount() const;
  // Row `row`: its results, each followed by a TAB. Empty while a search writes the store or
  // when the store does not hold the row.
  std::string rowText(int row);
  // Fills `request` for `message`; the row text stays valid until the next request. False for
  // a message that is not a request.
  bool answer(int message, vlist::Request& request);

 private:
  void giveRow(vlist::Request& request, int row);

  ResultStore& store_;
  int width_ = 0;
  std::string rowBuffer_;
};

// The row holding the first result of `selectedRow` after entries per row changed from
// `oldPerRow` to `newPerRow`.
int reflowRow(int oldPerRow, int selectedRow, int newPerRow);

}  // namespace wk::app
