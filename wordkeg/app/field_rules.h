#pragma once
// The typing rules of every field a user fills, in one place: the key filters refuse what they
// do not take while typing, and the same rules are checked again when the dialog acts (OK,
// Merge, Add/Remove, Start), because a paste or a text set by other means never passes a key
// filter.
#include <string>

#include "engine/search/search_data.h"

namespace wk::app {

enum class Field { kFind, kFrom, kInclude, kExclude, kDictionaryName, kDictionaryChoice };

struct FieldRule {
  const char* label;     // the field's name in a refusal
  const char* accepted;  // the printable characters it takes
  size_t maxLength;      // 0: no limit of its own
};

const FieldRule& ruleOf(Field field);

// True when every character of `text` could have been typed into `field` (FIND's '/' is typed
// as '?', so it counts) and it is not longer than the field takes.
bool typeable(Field field, const std::string& text);

// Checks `text` as typed into `field`; when it could not have been typed: a beep and a message
// naming the first refused character and the field (or the name, for a new dictionary's name),
// false.
bool recheckField(Field field, const std::string& text);

// `name` with a trailing ".lex" (any case) removed: the name part the dictionary rules judge.
std::string withoutLex(const std::string& name);

// The four search fields at Start: FIND's '/' becomes '?' as typing makes it; false (the user
// told) at the first field holding what its key filter refuses.
bool recheckSearchFields(SearchFields& fields);

}  // namespace wk::app
