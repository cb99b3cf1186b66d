#include "word_order.h"

namespace wk {
namespace {

int byteAt(std::string_view s, size_t i) {
  return i < s.size() ? static_cast<unsigned char>(s[i]) : 0;
}

bool isLower(int c) {
  return c >= 'a' && c <= 'z';
}
int fold(int c) {
  return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

int hyphenBlind(std::string_view p, std::string_view q) {
  size_t i = 0, j = 0;
  bool pHyphen = false, qHyphen = false;
  while (byteAt(p, i) != 0) {
    if (byteAt(p, i) == byteAt(q, j)) {
      ++i, ++j;
    } else if (byteAt(p, i) == '-') {
      ++i, pHyphen = true;
    } else if (byteAt(q, j) == '-') {
      ++j, qHyphen = true;
    } else {
      break;
    }
  }
  const int d = byteAt(p, i) - byteAt(q, j);
  if (d == 0 && (pHyphen || qHyphen)) return int(pHyphen) - int(qHyphen);
  return d;
}

}  // namespace

int letterCount(std::string_view word) {
  int n = 0;
  for (char c : word) n += c != '-';
  return n;
}

int compareWords(std::string_view a, std::string_view b) {
  // The common case, two words without hyphens and with lower-case first letters: the shorter
  // first, else the first differing byte.
  if (a.find('-') == a.npos && b.find('-') == b.npos) {
    if (a.size() != b.size()) return static_cast<int>(a.size()) - static_cast<int>(b.size());
    if (!a.empty() && isLower(byteAt(a, 0)) && isLower(byteAt(b, 0))) {
      for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return byteAt(a, i) - byteAt(b, i);
      return 0;
    }
  }
  const int byLength = letterCount(a) - letterCount(b);
  return byLength != 0 ? byLength : compareSameLength(a, b);
}

int compareSameLength(std::string_view a, std::string_view b) {
  const int fa = byteAt(a, 0), fb = byteAt(b, 0);
  if (isLower(fa) && isLower(fb)) return hyphenBlind(a, b);
  if (fold(fa) != fold(fb)) return fold(fa) - fold(fb);
  const std::string_view restA = a.empty() ? a : a.substr(1);
  const std::string_view restB = b.empty() ? b : b.substr(1);
  const int rest = hyphenBlind(restA, restB);
  return (rest != 0 || fa == fb) ? rest : fa - fb;
}

}  // namespace wk
