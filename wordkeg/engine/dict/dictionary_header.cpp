#include "dictionary_header.h"

namespace wk {

int32_t readInt32(const unsigned char* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 |
                              static_cast<uint32_t>(p[3]) << 24);
}

void writeInt32(unsigned char* p, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

static uint16_t readUint16(const unsigned char* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

static void writeUint16(unsigned char* p, uint16_t value) {
  p[0] = static_cast<unsigned char>(value);
  p[1] = static_cast<unsigned char>(value >> 8);
}

void DictionaryHeader::encode(unsigned char out[dict::kHeaderBytes]) const {
  writeInt32(out + dict::kCreatedField, created);
  writeInt32(out + dict::kModifiedField, modified);
  writeInt32(out + dict::kWordCountField, wordCount);
  writeUint16(out + dict::kMagicField, magic);
  writeUint16(out + dict::kSelectedField, selected);
}

DictionaryHeader DictionaryHeader::decode(const unsigned char in[dict::kHeaderBytes]) {
  DictionaryHeader h;
  h.created = readInt32(in + dict::kCreatedField);
  h.modified = readInt32(in + dict::kModifiedField);
  h.wordCount = readInt32(in + dict::kWordCountField);
  h.magic = readUint16(in + dict::kMagicField);
  h.selected = readUint16(in + dict::kSelectedField);
  return h;
}

}  // namespace wk
