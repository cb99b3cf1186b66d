// Objects that a window or a property sheet owns go when their owner ends, and not before.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include "winframe/dialog.h"
#include "winframe/subclass.h"
#include "winframe_test_ids.h"

namespace {

// Counts its instances' deletions in `deleted`.
class CountedDialog : public wf::Dialog {
 public:
  explicit CountedDialog(int& deleted) : Dialog(IDD_TEST), deleted_(deleted) {}
  ~CountedDialog() override { ++deleted_; }

 private:
  int& deleted_;
};

class CountedSubclass : public wf::Subclass {
 public:
  explicit CountedSubclass(int& deleted) : deleted_(deleted) {}
  ~CountedSubclass() override { ++deleted_; }

 private:
  int& deleted_;
};

TEST(Ownership, AnOwnedModelessDialogGoesWithItsWindow) {
  int deleted = 0;
  HWND hwnd = wf::Dialog::createOwned(std::make_unique<CountedDialog>(deleted), nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(deleted, 0);
  DestroyWindow(hwnd);
  EXPECT_EQ(deleted, 1);
}

TEST(Ownership, ASheetPageGoesWhenTheSheetReleasesItShownOrNot) {
  int deleted = 0;
  PROPSHEETPAGEA page =
      wf::Dialog::sheetPage(std::make_unique<CountedDialog>(deleted), GetModuleHandleA(nullptr));
  HPROPSHEETPAGE handle = CreatePropertySheetPageA(&page);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(deleted, 0);
  DestroyPropertySheetPage(handle);
  EXPECT_EQ(deleted, 1);
}

TEST(Ownership, ASubclassGoesWithItsControlAndAControlTakesOnlyOne) {
  int deleted = 0;
  HWND edit = CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(wf::Subclass::attach(edit, std::make_unique<CountedSubclass>(deleted)));
  EXPECT_FALSE(wf::Subclass::attach(edit, std::make_unique<CountedSubclass>(deleted)));
  EXPECT_EQ(deleted, 1);  // the refused one
  EXPECT_FALSE(wf::Subclass::attach(nullptr, std::make_unique<CountedSubclass>(deleted)));
  EXPECT_EQ(deleted, 2);
  DestroyWindow(edit);
  EXPECT_EQ(deleted, 3);
}

}  // namespace
