#include "field_rules.h"

#include <algorithm>
#include <cstdio>

#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"

namespace wk::app {
namespace {

constexpr const char* kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr const char* kFindCharacters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 !*?/";
constexpr const char* kNameCharacters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_{}$";

bool accepted(const FieldRule& rule, char c) {
  return c != '\0' && std::string(rule.accepted).find(c) != std::string::npos;
}

// The character starting at `at` as the user typed it: a UTF-8 sequence is shown whole.
std::string characterAt(const std::string& text, size_t at) {
  size_t end = at + 1;
  if (static_cast<unsigned char>(text[at]) >= 0xC0)
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  return text.substr(at, end - at);
}

}  // namespace

const FieldRule& ruleOf(Field field) {
  static const FieldRule rules[] = {{"FIND", kFindCharacters, 40},
                                    {"FROM", kLetters, 40},
                                    {"Include", kLetters, 20},
                                    {"Exclude", kLetters, 20},
                                    {"Dictionary Name", kNameCharacters, 255},
                                    {"Dictionary", kLetters, 256}};
  return rules[static_cast<int>(field)];
}

bool typeable(Field field, const std::string& text) {
  const FieldRule& rule = ruleOf(field);
  return text.size() <= rule.maxLength &&
         std::all_of(text.begin(), text.end(), [&](char c) { return accepted(rule, c); });
}

bool recheckField(Field field, const std::string& text) {
  if (typeable(field, text)) return true;
  beep();
  if (field == Field::kDictionaryName) {
    showMessage(text + str(kNotADictionaryName), str(kErrorCaption), mb::kIconStop | mb::kOk);
    return false;
  }
  // The first character typing would have refused, else the length (as the command line says).
  const FieldRule& rule = ruleOf(field);
  const auto refused =
      std::find_if(text.begin(), text.end(), [&](char c) { return !accepted(rule, c); });
  std::string message;
  if (refused != text.end()) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a chained "+".
    message = "'";
    message += characterAt(text, static_cast<size_t>(refused - text.begin()));
    message += '\'';
    message += str(kRefusedCharacter);
  } else {
    char tooLong[128];
    std::snprintf(tooLong, sizeof tooLong, loadString(kFieldTooLong),
                  static_cast<int>(rule.maxLength));
    message = tooLong;
  }
  message += rule.label;
  showMessage(message, str(kInputErrorCaption), mb::kIconStop | mb::kOk);
  return false;
}

std::string withoutLex(const std::string& name) {
  if (name.size() > 4 && toLower(name.substr(name.size() - 4)) == ".lex")
    return name.substr(0, name.size() - 4);
  return name;
}

bool recheckSearchFields(SearchFields& fields) {
  std::replace(fields.find.begin(), fields.find.end(), '/', '?');
  return recheckField(Field::kFind, fields.find) && recheckField(Field::kFrom, fields.from) &&
         recheckField(Field::kInclude, fields.include) &&
         recheckField(Field::kExclude, fields.exclude);
}

}  // namespace wk::app
