// Any byte sequence given to the dictionary reader, in stream and in memory mode, must end in
// words or a WordkegException: no crash, no read out of bounds, no endless loop.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/wordkeg_exception.h"
#include "engine/dict/dict_format.h"
#include "engine/dict/dictionary.h"
#include "engine/dict/operation_context.h"
#include "engine/dict/dictionary_scan.h"

namespace {

void scanAll(const uint8_t* data, size_t size, bool memory, const char* pattern,
             const char* pool, int longest) {
  try {
    auto source = std::make_unique<wk::MemorySource>(std::vector<unsigned char>(data, data + size));
    wk::OperationContext context;
    wk::Dictionary reader(context, std::move(source), "fuzz.lex", memory, 256);
    wk::DictionaryScan scan(reader, longest);
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
  const int nine = wk::dict::kMaxSearchLength, twenty = wk::dict::kMaxLength;
  scanAll(data, size, false, "*", "", nine);
  scanAll(data, size, true, "?a*e", "aetrsnlBc", nine);
  scanAll(data, size, false, "c?t", "", nine);
  // Long records, as a home with long words reads them, and a pattern longer than nine.
  scanAll(data, size, false, "*", "", twenty);
  scanAll(data, size, true, "*", "aeiourstlnbcdmpgh", twenty);
  scanAll(data, size, true, "?????????????", "", twenty);
  return 0;
}
