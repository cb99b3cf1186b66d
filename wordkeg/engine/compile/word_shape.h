#pragma once
// The shape of a word the program stores: 1 to 9 letters A-Z or a-z, at most one hyphen that is
// neither first nor last; stored with every character after the first in lower case.
#include <string>

namespace wk {

// What one line of a word list holds: a word, or why it holds none.
enum class LineVerdict {
  kWord,
  kBlank,
  kSeveralWords,  // more than one word on the line
  kNotLetters,    // a character other than A-Z, a-z or a hyphen
  kHyphens,       // a hyphen first or last, or a second one
  kTooLong,       // more than 9 letters
};
LineVerdict judgeLine(const std::string& line);
// Judges one line of a word list; when it holds a word, `line` is left holding it as stored.
LineVerdict takeLine(std::string& line);

// Validates one line of a word list in place: leading blanks skipped, trailing blanks allowed,
// anything else after the word refuses it. On success `line` holds the stored word.
bool validateLine(std::string& line);
// The word-shape test of a single word as typed (no blanks allowed).
bool isWordShape(const std::string& word);
// Every character after the first in lower case.
std::string foldWord(std::string word);

}  // namespace wk
