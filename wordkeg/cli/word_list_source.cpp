#include "word_list_source.h"

#include <cstdio>
#include <vector>

#include "engine/base/file_ops.h"
#include "engine/base/message_port.h"
#include "engine/base/string_table.h"
#include "engine/base/temp_names.h"
#include "engine/base/paths.h"
#include "progress_runner.h"

namespace wk::cli {
namespace {

void refuse(const std::string& given, int textId) {
  showMessage(given + str(textId), str(kErrorCaption), mb::kIconStop | mb::kOk);
}

}  // namespace

WordListSource::WordListSource(const std::string& given, const std::string& tempDirectory)
    : spooled_(joinPath(tempDirectory, freshTempName())) {
  if (isDirectory(given)) {
    refuse(given, kIsADirectory);
    return;
  }
  // A missing file is the make's own message; a regular one is read where it is.
  if (given != "-" && (!fileExists(given) || isRegularFile(given))) {
    path_ = given;
    ready_ = !isRegularFile(given) || fileSize(given) != 0;
    if (!ready_) refuse(given, kIsEmpty);
    return;
  }
  ready_ = spool(given);
  path_ = spooled_.path();
}

bool WordListSource::spool(const std::string& given) {
  const bool standardInput = given == "-";
  std::FILE* in = standardInput ? stdin : std::fopen(given.c_str(), "rb");
  std::FILE* out = std::fopen(spooled_.path().c_str(), "wb");
  bool ok = in && out;
  int64_t total = 0;
  std::vector<char> block(64 * 1024);
  while (ok && !interrupted()) {
    const size_t got = std::fread(block.data(), 1, block.size(), in);
    if (got == 0) break;
    ok = std::fwrite(block.data(), 1, got, out) == got;
    total += static_cast<int64_t>(got);
  }
  ok = ok && !std::ferror(in) && !interrupted();
  if (out) ok = std::fclose(out) == 0 && ok;
  if (in && !standardInput) std::fclose(in);
  if (!in) {
    showMessage(str(kUnableToFindFile) + given, str(kErrorCaption), mb::kOk);
    return false;
  }
  if (!out || !ok) {
    if (!interrupted())
      showMessage(str(kUnableToWriteFile) + spooled_.path(), str(kErrorCaption), mb::kOk);
    return false;
  }
  if (total == 0) refuse(standardInput ? std::string("Standard input") : given, kIsEmpty);
  return total > 0;
}

}  // namespace wk::cli
