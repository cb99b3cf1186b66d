// Any pair of data and index files must view, list and export without harm: the fuzz input is
// split into the two files at a point its first two bytes choose.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/result_list.h"
#include "engine/search/result_store.h"
#include "engine/search/text_report.h"

namespace {

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::string base = "/tmp/wk_fuzz_pair_" + std::to_string(getpid());
  const size_t split = std::min<size_t>(size - 2, static_cast<size_t>(data[0] | data[1] << 8));
  writeFile(base + ".wkg", data + 2, split);
  writeFile(base + ".pdx", data + 2 + split, size - 2 - split);
  wk::ResultStore store(base + "_w.$$$", base + "_w.pdx");
  wk::ResultsHeader header;
  if (store.view(base, header)) {
    for (int i = -1; i <= store.entryCount(); ++i) store.entry(i);
    wk::app::ResultList list(store);
    list.setWidth(data[0] % 120);
    for (int message = vlist::request::kFirst; message <= vlist::request::kFindPosition;
         ++message) {
      vlist::Request request;
      request.index = data[1] % 7 - 1;
      request.data = data[0] % 5;
      list.answer(message, request);
    }
    wk::writeTextReport(store, header, base + ".txt", nullptr);
  }
  for (const char* ext : {".wkg", ".pdx", ".txt"}) std::remove((base + ext).c_str());
  return 0;
}
