#include "list_box.h"

namespace wkw {
namespace {

std::string lineText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
  const LRESULT length = SendMessageA(control, lengthMessage, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(control, textMessage, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

std::vector<std::string> highlightedTexts(HWND list) {
  const int count = static_cast<int>(SendMessageA(list, LB_GETSELCOUNT, 0, 0));
  if (count <= 0) return {};
  std::vector<int> indexes(static_cast<size_t>(count));
  SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(count),
               reinterpret_cast<LPARAM>(indexes.data()));
  std::vector<std::string> texts;
  for (int index : indexes) texts.push_back(lineText(list, LB_GETTEXTLEN, LB_GETTEXT, index));
  return texts;
}

std::vector<std::string> comboTexts(HWND combo) {
  std::vector<std::string> texts;
  const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    texts.push_back(lineText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
  return texts;
}

}  // namespace wkw
