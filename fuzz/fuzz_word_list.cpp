// Any word list: the lines that validate, sorted in dictionary order, must come back from a
// compiled dictionary exactly as written.
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
#include "engine/dict/dictionary.h"
#include "engine/dict/word_order.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string base = "/tmp/wk_fuzz_list_" + std::to_string(getpid());
  std::FILE* f = std::fopen((base + ".txt").c_str(), "w+b");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::rewind(f);
  wk::LineReader reader(f);
  std::vector<std::string> words;
  while (!reader.atEnd()) {
    std::string line = reader.next();
    if (!wk::validateLine(line)) continue;
    unsigned char record[wk::run_record::kSize];
    wk::run_record::make(line, record);
    if (wk::run_record::word(record) != line) __builtin_trap();
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
  const std::string lex = base + ".lex";
  {
    wk::CompressDictionary writer(lex);
    for (const auto& w : words) writer.addWord(w);
    writer.finish();
  }
  std::vector<std::string> back;
  {
    wk::Dictionary dictionary(lex, false, 1024);
    dictionary.seek(1, 'a');
    while (dictionary.readNext()) back.push_back(dictionary.asWritten());
  }
  if (back != words) __builtin_trap();
  std::remove((base + ".txt").c_str());
  std::remove(lex.c_str());
  return 0;
}
