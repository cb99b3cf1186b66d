#pragma once
// The shape of a word the program stores: 1 to `longest` letters A-Z or a-z (9, or 20 in a home
// with long words), at most one hyphen that is neither first nor last; stored with every
// character after the first in lower case.
#include <string>

#include "../dict/dict_format.h"

namespace wk {

// What one line of a word list holds: a word, or why it holds none.
enum class LineVerdict {
  kWord,
  kBlank,
  kSeveralWords,  // more than one word on the line
  kNotLetters,    // a character other than A-Z, a-z or a hyphen
  kHyphens,       // a hyphen first or last, or a second one
  kTooLong,       // more letters than the home takes
};
LineVerdict judgeLine(const std::string& line, int longest = dict::kMaxSearchLength);
// Judges one line of a word list; when it holds a word, `line` is left holding it as stored.
LineVerdict takeLine(std::string& line, int longest = dict::kMaxSearchLength);

// Validates one line of a word list in place: leading blanks skipped, trailing blanks allowed,
// anything else after the word refuses it. On success `line` holds the stored word.
bool validateLine(std::string& line, int longest = dict::kMaxSearchLength);
// The word-shape test of a single word as typed (no blanks allowed).
bool isWordShape(const std::string& word, int longest = dict::kMaxSearchLength);
// Every character after the first in lower case.
std::string foldWord(std::string word);

}  // namespace wk
