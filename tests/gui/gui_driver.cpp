#include "gui_driver.h"

#include <cstdio>
#include <cstring>

namespace gui {

std::string shots;
std::string scenario = "scenario";
int failures = 0;

void expect(bool ok, const std::string& what) {
  std::fprintf(stderr, "%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
  if (ok) return;
  // The screen at the first failure tells most of why.
  if (failures++ == 0) shoot(GetDesktopWindow(), (scenario + "-failure").c_str());
}

PROCESS_INFORMATION start(const std::string& commandLine, const std::string& directory) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string command = commandLine;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &si, &pi))
    std::fprintf(stderr, "cannot start %s\n", commandLine.c_str());
  WaitForInputIdle(pi.hProcess, 5000);
  return pi;
}

HWND waitWindow(const char* cls, const char* title, int ms) {
  for (int waited = 0; waited < ms; waited += 50) {
    if (HWND hwnd = FindWindowA(cls, title)) return hwnd;
    Sleep(50);
  }
  return nullptr;
}

namespace {

struct Search {
  DWORD pid;
  std::string title;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (pid == s->pid && std::strcmp(cls, "#32770") == 0 && IsWindowVisible(hwnd) &&
      s->title == textOf(hwnd))
    s->found.push_back(hwnd);
  return TRUE;
}

}  // namespace

std::vector<HWND> dialogs(DWORD pid, const std::string& title) {
  Search s{pid, title, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::vector<HWND> waitDialogs(DWORD pid, const std::string& title, size_t count, int ms) {
  std::vector<HWND> found;
  for (int waited = 0; waited < ms && found.size() < count; waited += 50, Sleep(50))
    found = dialogs(pid, title);
  return found;
}

std::string textOf(HWND hwnd) {
  char text[1024] = {};
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 1000, nullptr);
  return text;
}

std::string boxText(HWND box) {
  wchar_t text[1024] = {};
  SendMessageTimeoutW(GetDlgItem(box, 0xFFFF), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 1000, nullptr);
  char utf8[4096] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

std::wstring utf16(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                        wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<size_t>(units > 0 ? units : 0));
  return wide;
}

void shoot(HWND hwnd, const char* name, int settleMs) {
  Sleep(static_cast<DWORD>(settleMs));
  RECT r;
  // A window that has closed meanwhile leaves nothing to take.
  if (!GetWindowRect(hwnd, &r)) return;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0 || w > 8192 || h > 8192) return;
  const std::vector<unsigned> screen = grab(r);
  // A 24-bit BMP: rows bottom-up, each padded to four bytes.
  const int stride = ((w * 3 + 3) / 4) * 4;
  std::vector<char> pixels(static_cast<size_t>(stride) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned p = screen[static_cast<size_t>(h - 1 - y) * w + x];
      char* to = &pixels[static_cast<size_t>(y) * stride + x * 3];
      to[0] = static_cast<char>(p & 0xFF);
      to[1] = static_cast<char>((p >> 8) & 0xFF);
      to[2] = static_cast<char>((p >> 16) & 0xFF);
    }
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfSize = static_cast<DWORD>(sizeof file + sizeof info + pixels.size());
  file.bfOffBits = sizeof file + sizeof info;
  std::FILE* out = std::fopen((shots + "\\" + name + ".bmp").c_str(), "wb");
  if (out) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    std::fclose(out);
  }
}

HWND topWindowOf(const char* cls, DWORD pid, bool visibleOnly) {
  for (HWND w = FindWindowExA(nullptr, nullptr, cls, nullptr); w;
       w = FindWindowExA(nullptr, w, cls, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && (!visibleOnly || IsWindowVisible(w))) return w;
  }
  return nullptr;
}

std::vector<unsigned> grab(const RECT& area) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return {};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = -h;  // top-down
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  std::vector<unsigned> pixels(static_cast<size_t>(w) * h);
  GetDIBits(memory, bitmap, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

namespace {

bool dark(unsigned pixel) {
  return (pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF) < 3 * 96;
}

}  // namespace

std::vector<std::pair<int, int>> inkRuns(const RECT& area, int gap) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  const std::vector<unsigned> pixels = grab(area);
  std::vector<std::pair<int, int>> runs;
  int clean = gap;
  for (int x = 0; x < w && !pixels.empty(); ++x) {
    bool ink = false;
    for (int y = 0; y < h && !ink; ++y) ink = dark(pixels[static_cast<size_t>(y) * w + x]);
    if (!ink) {
      ++clean;
      continue;
    }
    if (clean >= gap)
      runs.push_back({x, x});
    else
      runs.back().second = x;
    clean = 0;
  }
  return runs;
}

int inkIn(const RECT& area) {
  int n = 0;
  for (unsigned pixel : grab(area)) n += dark(pixel);
  return n;
}

std::vector<std::string> listLines(HWND list) {
  std::vector<std::string> lines;
  const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    wchar_t wide[512] = {};
    if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) >= 511) continue;
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    char text[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    lines.push_back(text);
  }
  return lines;
}

DWORD waitExit(const PROCESS_INFORMATION& pi, int ms) {
  WaitForSingleObject(pi.hProcess, static_cast<DWORD>(ms));
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(pi.hProcess, &code);
  return code;
}

void setClipboard(const std::string& text) {
  const int units = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<size_t>(units) * sizeof(wchar_t));
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, static_cast<wchar_t*>(GlobalLock(memory)),
                      units);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) return void(GlobalFree(memory));
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  CloseClipboard();
}

HWND focusOf(DWORD thread) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

}  // namespace gui
