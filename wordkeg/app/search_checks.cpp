#include "search_checks.h"

#include <algorithm>

#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"

namespace wk::app {
namespace {

// Holds `flag` set for its life.
class Asking {
 public:
  explicit Asking(bool& flag) : flag_(flag) { flag_ = true; }
  ~Asking() { flag_ = false; }
  Asking(const Asking&) = delete;
  Asking& operator=(const Asking&) = delete;

 private:
  bool& flag_;
};

}  // namespace

std::string longWordsAside(int longest, const std::string& how) {
  if (longest >= dict::kMaxLength) return {};
  // Appended, not "literal" + string: GCC 12 warns falsely (-Wrestrict) on that.
  std::string aside = " (";
  return aside.append(std::to_string(dict::kMaxLength)).append(" with long words on").append(how)
      .append(")");
}

std::string longestWordNote(int longest, const std::string& how) {
  std::string note = "The longest word this home takes has ";
  return note.append(std::to_string(longest)).append(" letters")
      .append(longWordsAside(longest, how)).append(".");
}

bool RequestChecks::refuse(int textId) {
  Asking asking(asking_);
  beep();
  std::string text = str(textId);
  if (textId == kPatternTooLong && namesLimit_)
    text.append(" ").append(longestWordNote(request_.longestWord));
  showMessage(text, str(kInputErrorCaption), mb::kIconStop | mb::kOk | mb::kTaskModal);
  return false;
}

bool RequestChecks::checkFind(const std::string& text) {
  if (asking_) return true;
  const NormalisedFind normalised = normaliseFind(text, request_.longestWord);
  if (normalised.refusal != 0) return refuse(normalised.refusal);
  if (normalised.restDropped) {
    Asking asking(asking_);
    const int answer = showMessageIds(kBangIgnores, kInvalidPatternCaption,
                                      mb::kOkCancel | mb::kIconQuestion | mb::kTaskModal);
    if (answer != mb::kIdOk) return false;
  }
  request_.find = normalised.find;
  return true;
}

void RequestChecks::storeFrom(const std::string& text) {
  request_.from = storedFrom(request_, text);
}

bool RequestChecks::storeInclude(const std::string& text) {
  request_.include = toLower(text);
  return overlapCheck();
}

bool RequestChecks::storeExclude(const std::string& text) {
  request_.exclude = toLower(text);
  return overlapCheck();
}

bool RequestChecks::overlapCheck() {
  if (asking_) return true;
  const int refusal = overlapRefusal(request_);
  return refusal == 0 || refuse(refusal);
}

bool RequestChecks::finalCheck() {
  const int refusal = completeRequest(request_);
  return refusal == 0 || refuse(refusal);
}

bool RequestChecks::validate(const SearchFields& fields) {
  request_.useAll = fields.useAll;
  request_.suppressPermutations = fields.suppressPermutations;
  request_.multiWord = isMultiWord(fields.find);
  if (!checkFind(fields.find)) return false;
  storeFrom(fields.from);
  if (!storeInclude(request_.multiWord ? std::string() : fields.include)) return false;
  if (!storeExclude(request_.multiWord ? std::string() : fields.exclude)) return false;
  return finalCheck();
}

bool RequestChecks::start(const SearchFields& fields, bool anyDictionary) {
  if (!anyDictionary) {
    beep();
    showMessageIds(kNoDictionarySelected, kNoDictionarySelectedCaption, mb::kIconStop | mb::kOk);
    return false;
  }
  return validate(fields);
}

void pushHistory(std::vector<std::string>& history, const std::string& text) {
  constexpr size_t kHistory = 10;
  if (text.empty()) return;
  history.erase(std::remove(history.begin(), history.end(), text), history.end());
  history.insert(history.begin(), text);
  if (history.size() > kHistory) history.resize(kHistory);
}

SearchFields clearedFields() {
  return SearchFields{"*", "", "", "", true, false};
}

}  // namespace wk::app
