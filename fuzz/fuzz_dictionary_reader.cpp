// Any byte sequence given to the dictionary reader, in stream and in memory mode, must end in
// words or a WordkegException: no crash, no read out of bounds, no endless loop.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/base/wordkeg_exception.h"
#include "engine/dict/dictionary.h"
#include "engine/dict/dictionary_scan.h"

namespace {

void scanAll(const std::string& path, bool memory, const char* pattern, const char* pool) {
  try {
    wk::Dictionary reader(path, memory, 256);
    wk::DictionaryScan scan(reader);
    wk::SrcLetters letters;
    letters.set(pool);
    std::string word;
    for (int r = scan.start(pattern, *pool ? &letters : nullptr, 0, 0, word);
         r == wk::DictionaryScan::kMatch; r = scan.next(word)) {
    }
    reader.seek(1, 'a');
    while (reader.readNext()) reader.asWritten();
  } catch (const wk::WordkegException&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/wk_fuzz_dict_" + std::to_string(getpid()) + ".lex";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  scanAll(path, false, "*", "");
  scanAll(path, true, "?a*e", "aetrsnlBc");
  scanAll(path, false, "c?t", "");
  std::remove(path.c_str());
  return 0;
}
