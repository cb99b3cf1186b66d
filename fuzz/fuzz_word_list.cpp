// Any word list: the lines that validate, sorted in dictionary order, must come back from a
// compiled dictionary exactly as written, in a home of nine-letter words and in one of long
// words (with the run records of each).
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/compile/line_reader.h"
#include "engine/compile/run_record.h"
#include "engine/compile/word_shape.h"
#include "engine/dict/compress_dictionary.h"
#include "engine/dict/dict_format.h"
#include "engine/dict/dictionary.h"
#include "engine/dict/operation_context.h"
#include "engine/dict/word_order.h"

namespace {

void compileAndReadBack(const uint8_t* data, size_t size, int longest) {
  const wk::run_record::Layout& layout = wk::run_record::layoutFor(longest);
  const std::string base = "/tmp/wk_fuzz_list_" + std::to_string(getpid());
  std::FILE* f = std::fopen((base + ".txt").c_str(), "w+b");
  if (!f) return;
  std::fwrite(data, 1, size, f);
  std::rewind(f);
  wk::LineReader reader(f);
  std::vector<std::string> words;
  while (!reader.atEnd()) {
    std::string line = reader.next();
    if (!wk::validateLine(line, longest)) continue;
    unsigned char record[wk::run_record::kLargestSize];
    layout.make(line, record);
    if (layout.word(record) != line) __builtin_trap();
    words.push_back(line);
  }
  std::fclose(f);
  std::stable_sort(words.begin(), words.end(),
                   [](auto& a, auto& b) { return wk::compareWords(a, b) < 0; });
  // Each distinct word once, also where words equal in the order ("co-op", "coo-p") interleave.
  std::vector<std::string> kept;
  size_t runStart = 0;
  for (const auto& w : words) {
    if (!kept.empty() && wk::compareWords(kept.back(), w) != 0) runStart = kept.size();
    if (std::find(kept.begin() + static_cast<std::ptrdiff_t>(runStart), kept.end(), w) == kept.end())
      kept.push_back(w);
  }
  words.swap(kept);
  // The records order as the words do: the external sort relies on it.
  for (size_t i = 1; i < words.size(); ++i) {
    unsigned char a[wk::run_record::kLargestSize], b[wk::run_record::kLargestSize];
    layout.make(words[i - 1], a);
    layout.make(words[i], b);
    const int byRecord = layout.compare(a, b), byWord = wk::compareWords(words[i - 1], words[i]);
    if ((byRecord < 0) != (byWord < 0) || (byRecord == 0) != (byWord == 0)) __builtin_trap();
  }
  const std::string lex = base + ".lex";
  {
    wk::CompressDictionary writer(lex);
    for (const auto& w : words) writer.addWord(w);
    writer.finish();
  }
  std::vector<std::string> back;
  {
    wk::OperationContext context;
    wk::Dictionary dictionary(context, lex, false, 1024);
    dictionary.seek(1, 'a');
    while (dictionary.readNext()) back.push_back(dictionary.asWritten());
  }
  if (back != words) __builtin_trap();
  std::remove((base + ".txt").c_str());
  std::remove(lex.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  compileAndReadBack(data, size, wk::dict::kMaxSearchLength);
  compileAndReadBack(data, size, wk::dict::kMaxLength);
  return 0;
}
