#pragma once
// The results file pair:
//   data file ("wkg" saved, "$$$" working): a 144-byte ResultsHeader, then the result lines
//     back to back, each ending in a line feed:
//       0 magic int32 22961 | 4 found int32 | 8 words checked int32 | 12 longest entry int16
//       14 FIND[42] | 56 FROM[42] | 98 Include[22] | 120 Exclude[22]   (NUL-terminated texts)
//       142 use all byte | 143 suppress permutations byte
//   index file ("pdx"): int32 offsets into the data file, the first 144, then the end of each
//     line; n + 1 offsets describe n lines.
#include <cstdint>
#include <string>

namespace wk {

namespace results {
constexpr int32_t kMagic = 22961;
constexpr int kHeaderBytes = 144;
constexpr int kFindSize = 42;
constexpr int kFromSize = 42;
constexpr int kLettersSize = 22;
// Where each field of the header starts.
constexpr int kFoundField = 4, kCheckedField = 8, kLongestField = 12, kFindField = 14,
              kFromField = 56, kIncludeField = 98, kExcludeField = 120, kUseAllField = 142,
              kSuppressField = 143;
}  // namespace results

struct ResultsHeader {
  int32_t magic = results::kMagic;
  int32_t found = 0;
  int32_t wordsChecked = 0;
  int16_t longestEntry = 0;
  std::string find, from, include, exclude;
  bool useAll = false;
  bool suppressPermutations = false;
  // The command line's options beyond the window's (--limit 3 --blanks 1), for the text report
  // only: the pair has no room for them.
  std::string options;

  // Texts longer than their fields are cut to fit with their NUL.
  void encode(unsigned char out[results::kHeaderBytes]) const;
  // Any bytes decode safely: a text without its NUL ends at its field's end.
  static ResultsHeader decode(const unsigned char in[results::kHeaderBytes]);
};

}  // namespace wk
