#pragma once
// Layout of a compiled dictionary (".lex"), shared by reader and writer.
//
//   offset 0     index: 520 little-endian int32 file offsets, entry (L, c) at
//                4 * ((L - 1) * 26 + (c - 'a')), L = 1..20: where words of L letters whose
//                stored first letter is c begin (or the next item when there are none)
//   offset 2080  header, 16 bytes: created int32, modified int32 (0 = never), word count
//                int32, magic uint16 = 22961, selected uint16
//   offset 2096  word stream: separators (254, one per length step) and word records:
//                flags (prefix << 2 | capital << 1 | hyphen), [hyphen position], codes
//
// Codes: 0..209 a pair T[b / 21] T[b % 21]; 225..250 one letter b - 128; 254 separator.
#include <cstdint>

namespace wk::dict {

constexpr int kMaxLength = 20;
constexpr int kLetters = 26;
constexpr int kIndexEntries = kMaxLength * kLetters;
constexpr int kIndexBytes = kIndexEntries * 4;
constexpr int kHeaderOffset = kIndexBytes;
constexpr int kHeaderBytes = 16;
constexpr int kStreamStart = kHeaderOffset + kHeaderBytes;  // 2096
constexpr uint16_t kMagic = 22961;
// Where each field of the header starts, from the header's start.
constexpr int kCreatedField = 0, kModifiedField = 4, kWordCountField = 8, kMagicField = 12,
              kSelectedField = 14;
constexpr int kSeparator = 254;
constexpr int kMemoryLimit = 296960;  // files shorter than this may be held in memory
// The longest word a home admits: nine letters, or with the home's long-words option the
// format's twenty. Readers that copy a dictionary (merge, add, remove) take every stored length
// whatever the option, so that no home loses words it cannot search.
constexpr int kMaxSearchLength = 9;
constexpr int longestWord(bool longWords) {
  return longWords ? kMaxLength : kMaxSearchLength;
}

// The 21 letters that pair codes are built from; the first ten may open a pair.
constexpr char kPairLetters[] = "aeilnortscbdfghkmpuvy";
constexpr int kPairLetterCount = 21;
constexpr int kPairOpeners = 10;
constexpr int kPairCodeEnd = 210;  // codes below this are pairs
constexpr int kLetterBias = 128;   // single letters are written as code - 128

constexpr int indexSlot(int length, char letter) {
  return (length - 1) * kLetters + (letter - 'a');
}

}  // namespace wk::dict
