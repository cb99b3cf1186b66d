#include "results_header.h"

#include <cstring>

#include "../dict/dictionary_header.h"

namespace wk {
namespace {

constexpr int kFind = 14, kFrom = 56, kInclude = 98, kExclude = 120, kUseAll = 142, kSuppress = 143;

void putText(unsigned char* field, int size, const std::string& text) {
  std::memset(field, 0, static_cast<size_t>(size));
  std::memcpy(field, text.data(), std::min(text.size(), static_cast<size_t>(size - 1)));
}

std::string getText(const unsigned char* field, int size) {
  const auto* start = reinterpret_cast<const char*>(field);
  const void* nul = std::memchr(start, 0, static_cast<size_t>(size));
  return std::string(start, nul ? static_cast<const char*>(nul) - start : size);
}

}  // namespace

void ResultsHeader::encode(unsigned char out[results::kHeaderBytes]) const {
  std::memset(out, 0, results::kHeaderBytes);
  writeInt32(out, magic);
  writeInt32(out + 4, found);
  writeInt32(out + 8, wordsChecked);
  out[12] = static_cast<unsigned char>(longestEntry & 0xFF);
  out[13] = static_cast<unsigned char>((longestEntry >> 8) & 0xFF);
  putText(out + kFind, results::kFindSize, find);
  putText(out + kFrom, results::kFromSize, from);
  putText(out + kInclude, results::kLettersSize, include);
  putText(out + kExclude, results::kLettersSize, exclude);
  out[kUseAll] = useAll ? 1 : 0;
  out[kSuppress] = suppressPermutations ? 1 : 0;
}

ResultsHeader ResultsHeader::decode(const unsigned char in[results::kHeaderBytes]) {
  ResultsHeader h;
  h.magic = readInt32(in);
  h.found = readInt32(in + 4);
  h.wordsChecked = readInt32(in + 8);
  h.longestEntry = static_cast<int16_t>(in[12] | in[13] << 8);
  h.find = getText(in + kFind, results::kFindSize);
  h.from = getText(in + kFrom, results::kFromSize);
  h.include = getText(in + kInclude, results::kLettersSize);
  h.exclude = getText(in + kExclude, results::kLettersSize);
  h.useAll = in[kUseAll] != 0;
  h.suppressPermutations = in[kSuppress] != 0;
  return h;
}

}  // namespace wk
