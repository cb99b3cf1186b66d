#include "text_report.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "../base/file_ops.h"
#include "../base/message_port.h"
#include "../base/paths.h"
#include "../base/string_table.h"
#include "../base/system_path.h"
#include "result_store.h"

namespace wk {

SaveTarget saveTarget(const std::string& chosen, bool firstFilter) {
  SaveTarget target{chosen, false};
  if (extensionOf(chosen).empty())
    target.path = replaceExtension(chosen, firstFilter ? "wkg" : "asc");
  target.pair = toLower(extensionOf(target.path)) == "wkg";
  return target;
}

namespace {

void tell(int textId, const std::string& path) {
  showMessage(str(textId) + path, str(kFileErrorDotCaption),
              mb::kIconStop | mb::kOk | mb::kTaskModal);
}

}  // namespace

bool writeReport(ResultStore& store, const ResultsHeader& header, std::FILE* out,
                 std::atomic<int>* percent) {
  std::fputs(loadString(kReportRule), out);
  std::fputs(loadString(kReportTitle), out);
  std::fprintf(out, loadString(kReportFields), header.find.c_str(), header.from.c_str(),
               header.include.c_str(), header.exclude.c_str());
  std::fprintf(out, "%s", header.useAll ? loadString(kReportUseAll) : "\n");
  std::fprintf(out, "%s", header.suppressPermutations ? loadString(kReportSuppress) : "\n");
  if (!header.options.empty()) std::fprintf(out, "Options: %s\n", header.options.c_str());
  // The count is kept in 32 bits: a search of more than two thousand million words shows as
  // the unsigned count it is, not as a negative one.
  std::fprintf(out, loadString(kReportCounts),
               static_cast<unsigned long>(static_cast<uint32_t>(header.wordsChecked)),
               static_cast<unsigned long>(store.entryCount()));
  std::fputs(loadString(kReportRule), out);
  return store.copyLines(out, percent) && !std::ferror(out);
}

bool writeTextReport(ResultStore& store, const ResultsHeader& header, const std::string& path,
                     std::atomic<int>* percent) {
  // Text mode: line feeds become the platform's line ends, as a report for that platform should.
  // Written beside the target and renamed over it whole, so a failure keeps an earlier report;
  // a stream (a FIFO, /dev/stdout) is written through.
  const WriteTarget target = writeTargetOf(path);
  const bool stream = target.kind == WriteTarget::kStream;
  const std::string staged = stream ? target.path : stagingPathFor(target.path);
  std::FILE* out = target.kind == WriteTarget::kRefused ? nullptr : openFile(staged, "w");
  if (!out) {
    tell(kUnableToOpenFile, path);
    return false;
  }
  std::vector<char> buffer(20480);
  std::setvbuf(out, buffer.data(), _IOFBF, buffer.size());
  bool ok = writeReport(store, header, out, percent);
  ok = std::fclose(out) == 0 && ok;
  if (!stream) {
    ok = ok && replaceFile(target.path, staged);
    if (!ok) removeFile(staged);
  }
  if (!ok) tell(kUnableToWriteFile, path);
  return ok;
}

}  // namespace wk
