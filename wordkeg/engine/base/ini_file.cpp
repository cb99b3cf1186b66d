#include "ini_file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "file_ops.h"
#include "paths.h"
#include "system_path.h"
#include "temp_names.h"

namespace wk {
namespace {

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

bool sameName(const std::string& a, const std::string& b) {
  return toLower(a) == toLower(b);
}

std::vector<std::string> readLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(systemPath(path), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// "[name]" → name; nullopt for any other line.
std::optional<std::string> sectionName(const std::string& line) {
  const std::string t = trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const auto close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return trim(t.substr(1, close - 1));
}

// Where `key` of `section` stands: the section's header line, the key's line and the line after
// the section's last non-blank line (where a new key goes). Missing items stay nullopt.
struct Place {
  std::optional<size_t> section;
  std::optional<size_t> key;
  size_t sectionEnd = 0;
};

Place locate(const std::vector<std::string>& lines, const std::string& section,
             const std::string& key) {
  Place place;
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (auto name = sectionName(lines[i])) {
      if (inSection) break;
      inSection = sameName(*name, section);
      if (inSection) place.section = i, place.sectionEnd = i + 1;
      continue;
    }
    if (!inSection) continue;
    if (!trim(lines[i]).empty()) place.sectionEnd = i + 1;
    const auto eq = lines[i].find('=');
    if (!place.key && eq != std::string::npos && sameName(trim(lines[i].substr(0, eq)), key))
      place.key = i;
  }
  return place;
}

std::string unquote(std::string v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

std::string getProfileString(const std::string& section, const std::string& key,
                             const std::string& fallback, const std::string& path) {
  const auto lines = readLines(path);
  const Place place = locate(lines, section, key);
  if (!place.key) return fallback;
  const std::string& line = lines[*place.key];
  return unquote(trim(line.substr(line.find('=') + 1)));
}

int getProfileInt(const std::string& section, const std::string& key, int fallback,
                  const std::string& path) {
  const std::string missing = "\x01";
  const std::string value = getProfileString(section, key, missing, path);
  return value == missing ? fallback : profileNumber(value);
}

int profileNumber(const std::string& value) {
  size_t i = 0;
  const bool negative = !value.empty() && value[0] == '-';
  if (negative) ++i;
  long long number = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
    number = std::min<long long>(number * 10 + (value[i] - '0'), 0x7FFFFFFF);
  return static_cast<int>(negative ? -number : number);
}

bool writeProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
  auto lines = readLines(path);
  const Place place = locate(lines, section, key);
  const std::string entry = key + "=" + value;
  if (place.key) {
    lines[*place.key] = entry;
  } else if (place.section) {
    lines.insert(lines.begin() + static_cast<long>(place.sectionEnd), entry);
  } else {
    lines.push_back("[" + section + "]");
    lines.push_back(entry);
  }
  const std::string temp = directoryOf(path) + "ini" + processTag() + ".$$$";
  std::FILE* out = openFile(temp, "wb");
  if (!out) return false;
  bool ok = true;
  // Written byte for byte: a line holding a NUL must not be cut short.
  for (const auto& line : lines)
    ok = ok && std::fwrite(line.data(), 1, line.size(), out) == line.size() &&
         std::fputs("\r\n", out) >= 0;
  ok = std::fclose(out) == 0 && ok;
  if (ok) ok = moveFile(path, temp, nullptr) == 0;
  if (!ok) removeFile(temp);
  return ok;
}

}  // namespace wk
