#pragma once
// CreateDictionarySubSet: the analysis dialog on SUBSETDLG. It starts the subset build on a
// worker thread once it is visible, shows the words checked and matches every 100 ms, and ends
// with 1 when the search is to run, 0 when cancelled or nothing can be made from the letters.
#include <thread>

#include "engine/search/subset_builder.h"
#include "framework/dialog.h"

namespace wkw {

class CreateDictionarySubSet : public Dialog {
 public:
  static constexpr UINT kFinished = 1126;
  explicit CreateDictionarySubSet(wk::SubsetBuilder& builder);
  ~CreateDictionarySubSet() override;

 protected:
  void onInit() override;
  void onCommand(int id, int code, HWND control) override;
  void onTimer(UINT_PTR id) override;
  INT_PTR onMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void start();
  void showCounters();

  wk::SubsetBuilder& builder_;
  std::thread worker_;
  int result_ = 1;
  bool built_ = false;
};

}  // namespace wkw
