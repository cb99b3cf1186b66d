#include "text_codec.h"

#include <windows.h>

namespace wf {
namespace {

std::wstring decode(UINT codePage, DWORD flags, const std::string& text, bool* ok) {
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  *ok = length > 0 || text.empty();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  if (length > 0) MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
  return wide;
}

// The text in the ANSI code page, and whether every character had its own byte there (no
// best-fit letter, no default '?').
std::string inCodePage(const std::wstring& text, bool* fits) {
  const int size = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  // A UTF-8 code page takes no default-character question, and fits everything.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL* askDefault = utf8 ? nullptr : &usedDefault;
  const int length =
      WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, askDefault);
  std::string bytes(static_cast<size_t>(length > 0 ? length : 0), '\0');
  if (length > 0)
    WideCharToMultiByte(CP_ACP, flags, text.data(), size, bytes.data(), length, nullptr,
                        askDefault);
  *fits = (length > 0 || text.empty()) && !usedDefault;
  return bytes;
}

bool allAscii(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

std::wstring widen(const std::string& text) {
  bool ok = false;
  if (!allAscii(text)) {
    std::wstring wide = decode(CP_UTF8, MB_ERR_INVALID_CHARS, text, &ok);
    bool fits = false;
    if (ok) inCodePage(wide, &fits);
    if (ok && !fits) return wide;
  }
  return decode(CP_ACP, 0, text, &ok);
}

std::string narrow(const std::wstring& text) {
  bool fits = false;
  std::string bytes = inCodePage(text, &fits);
  // Held in the code page only where it reads back as itself.
  if (fits && widen(bytes) == text) return bytes;
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length > 0 ? length : 0), '\0');
  if (length > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace wf
