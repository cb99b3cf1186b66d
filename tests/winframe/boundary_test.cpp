// An exception in any kind of handler is reported with its own text, the message counts as
// handled, and the window goes on working.
#include <gtest/gtest.h>

#include <stdexcept>

#include "recorded_errors.h"
#include "winframe/dialog.h"
#include "winframe/subclass.h"
#include "winframe/window.h"
#include "winframe_test_ids.h"

namespace {

constexpr UINT kThrow = WM_APP;
constexpr UINT kThrowOther = WM_APP + 1;
constexpr UINT kAnswer = WM_APP + 2;

class ThrowingWindow : public wf::Window {
 public:
  ThrowingWindow() {
    static const ATOM atom = [] {
      WNDCLASSA wc = {};
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "WfThrowingWindow";
      return registerClass(wc);
    }();
    (void)atom;
    create(0, "WfThrowingWindow", "", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
           GetModuleHandleA(nullptr));
  }
  ~ThrowingWindow() override {
    if (hwnd()) DestroyWindow(hwnd());
  }

 protected:
  LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == kThrow) throw std::runtime_error("the frame failed");
    if (msg == kThrowOther) throw 7;
    if (msg == kAnswer) return 42;
    return defaultHandling(msg, wParam, lParam);
  }
};

TEST(WindowBoundary, ReportsTheExceptionAndKeepsTheWindowWorking) {
  wftest::recordErrors();
  ThrowingWindow window;
  ASSERT_NE(window.hwnd(), nullptr);
  EXPECT_EQ(SendMessageA(window.hwnd(), kThrow, 0, 0), 0);
  EXPECT_EQ(SendMessageA(window.hwnd(), kThrowOther, 0, 0), 0);
  EXPECT_EQ(SendMessageA(window.hwnd(), kAnswer, 0, 0), 42);
  EXPECT_EQ(wftest::reported(), (std::vector<std::string>{
                                    "the frame failed",
                                    "An exception of unknown type reached a window."}));
}

class ThrowingDialog : public wf::Dialog {
 public:
  ThrowingDialog() : Dialog(IDD_TEST) {}

 protected:
  void onCommand(int id, int, HWND) override {
    if (id == IDOK) throw std::runtime_error("the command failed");
  }
  INT_PTR onMessage(UINT msg, WPARAM, LPARAM, bool& handled) override {
    if (msg == kThrow) {
      handled = false;  // decided first, then failed: the failure still counts as handled
      throw std::length_error("the handler failed");
    }
    if (msg == WM_CTLCOLORSTATIC) return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    handled = false;
    return 0;
  }
};

TEST(DialogBoundary, ReportsTheExceptionAsAHandledMessage) {
  wftest::recordErrors();
  ThrowingDialog dialog;
  HWND hwnd = dialog.create(nullptr);
  ASSERT_NE(hwnd, nullptr);
  SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 99);
  SendMessageA(hwnd, WM_COMMAND, IDOK, 0);
  // Handled: the result was written (0), not left to the default handling.
  EXPECT_EQ(GetWindowLongPtrA(hwnd, DWLP_MSGRESULT), 0);
  SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 99);
  SendMessageA(hwnd, kThrow, 0, 0);
  EXPECT_EQ(GetWindowLongPtrA(hwnd, DWLP_MSGRESULT), 0);
  EXPECT_EQ(wftest::reported(),
            (std::vector<std::string>{"the command failed", "the handler failed"}));
  DestroyWindow(hwnd);
}

TEST(DialogBoundary, ColourMessagesReturnTheirBrushDirectly) {
  ThrowingDialog dialog;
  HWND hwnd = dialog.create(nullptr);
  ASSERT_NE(hwnd, nullptr);
  HDC dc = GetDC(hwnd);
  EXPECT_EQ(SendMessageA(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDC_LABEL))),
            reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH)));
  ReleaseDC(hwnd, dc);
  DestroyWindow(hwnd);
}

class RefusingEdit : public wf::Subclass {
 protected:
  LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CHAR && wParam == 'x') throw std::runtime_error("x is refused");
    return callOriginal(msg, wParam, lParam);
  }
};

TEST(SubclassBoundary, ReportsTheExceptionAndKeepsItFromTheControl) {
  wftest::recordErrors();
  HWND edit = CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(wf::Subclass::attach(edit, std::make_unique<RefusingEdit>()));
  for (char c : {'a', 'x', 'b'}) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_EQ(wf::windowText(edit), "ab");
  EXPECT_EQ(wftest::reported(), std::vector<std::string>{"x is refused"});
  DestroyWindow(edit);
}

}  // namespace
