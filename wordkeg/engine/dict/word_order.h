#pragma once
// The dictionary order, the one order of words in dictionaries, run files and merges: fewer
// letters first (a hyphen not counted); then by first letter without regard to case, the rest
// compared with hyphens skipped; a capitalised word before its lower-case twin, a plain word
// before its hyphenated twin. Words with the same letters and hyphens at different places
// compare equal.
#include <string_view>

namespace wk {

int letterCount(std::string_view word);
// Negative, 0 or positive as `a` comes before, level with or after `b`.
int compareWords(std::string_view a, std::string_view b);
// The same for two words already known to hold the same number of letters.
int compareSameLength(std::string_view a, std::string_view b);

}  // namespace wk
