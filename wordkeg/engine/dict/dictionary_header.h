#pragma once
// The 16-byte header of a compiled dictionary (see dict_format.h).
#include <cstdint>

#include "dict_format.h"

namespace wk {

struct DictionaryHeader {
  int32_t created = 0;
  int32_t modified = 0;
  int32_t wordCount = 0;
  uint16_t magic = dict::kMagic;
  uint16_t selected = 0;

  void encode(unsigned char out[dict::kHeaderBytes]) const;
  static DictionaryHeader decode(const unsigned char in[dict::kHeaderBytes]);
};

int32_t readInt32(const unsigned char* p);
void writeInt32(unsigned char* p, int32_t value);

}  // namespace wk
