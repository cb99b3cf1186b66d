#include "results_commands.h"

#include "engine/base/file_ops.h"
#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"
#include "engine/search/text_report.h"
#include "search_session.h"

namespace wk::app {

bool confirmReplace(const std::string& path) {
  if (!fileExists(path)) return true;
  std::string question = path;
  question += str(kFileExistsReplace);
  return showMessage(question, str(kWarningCaption), mb::kYesNo | mb::kTaskModal) == mb::kIdYes;
}

bool saveResults(DialogHost& host, SearchSession& session, const std::string& chosen,
                 bool firstFilter) {
  const SaveTarget target = saveTarget(chosen, firstFilter);
  if (extensionOf(chosen).empty() && !confirmReplace(target.path)) return false;
  ResultStore& store = session.store();
  if (target.pair) {
    std::string text = str(kCopyingFile);
    text += store.dataPath();
    TaskOperation copy(text, [&](std::atomic<int>&) { return store.savePair(target.path) == 0; });
    return host.runOperation(copy) == RunOutcome::kCompleted;
  }
  const ResultsHeader header = session.header();
  TaskOperation report(str(kMakingAscii), [&](std::atomic<int>& percent) {
    return writeTextReport(store, header, target.path, &percent);
  });
  return host.runOperation(report) == RunOutcome::kCompleted;
}

}  // namespace wk::app
