#include "level_plan.h"

#include <algorithm>
#include <cstring>

#include "../dict/src_letters.h"
#include "search_data.h"

namespace wk {

void FindStep::read(const char* from) {
  const char* blank = std::strchr(from, ' ');
  rest = from;
  word = std::string_view(from, blank ? static_cast<size_t>(blank - from) : std::strlen(from));
  after = blank ? blank + 1 : from + word.size();
  bang = word.find('!') != std::string_view::npos;
  onlyStarsAfter = std::strspn(after, "* !") == std::strlen(after);
}

LevelPlan planLevel(const SearchData& request, const FindStep& step, bool bangSeen) {
  LevelPlan plan;
  plan.word = step.word;
  plan.bangSeen = bangSeen || step.bang;
  plan.useAll = request.useAll;
  if (plan.bangSeen) {
    plan.word = "*";
    plan.useAll = true;
  }
  plan.stars = static_cast<int>(std::count(plan.word.begin(), plan.word.end(), '*'));
  plan.fixed = static_cast<int>(plan.word.size()) - plan.stars;
  plan.last = *step.after == 0 && !plan.bangSeen;
  plan.ordered =
      request.suppressPermutations && (plan.bangSeen || (plan.word == "*" && step.onlyStarsAfter));
  return plan;
}

void LevelPlan::decide(const SearchData& request, int total, int vowels, int orderLength,
                       char orderLetter) {
  minLength = orderLength;
  firstLetter = orderLetter;
  // Only when every letter must be used does a short remainder force one word to take it all.
  if (useAll && minLength && total - minLength > 0 && total - minLength < minLength) {
    minLength = total;
    firstLetter = 0;
  }
  if ((bangSeen && total == 0) || (word.empty() && (!useAll || total == 0))) {
    action = kSequence;  // an empty sequence is no result
    return;
  }
  const bool hasFrom = !request.from.empty();
  action = kNothing;
  if (hasFrom && (total == 0 || vowels == 0)) return;
  if (last) {
    if (hasFrom && total < fixed) return;
    if (useAll && hasFrom &&
        (total > request.longestWord || total == 0 ||
         (stars == 0 && static_cast<int>(word.size()) < total)))
      return;
    const int required = (useAll && total != SrcLetters::kUnlimited) ? total : 0;
    const int before = minLength;
    minLength = std::max(required, minLength);
    if (request.suppressPermutations && minLength != before) firstLetter = 0;
  }
  action = kScan;
  // A shortest length above the order's skips the shorter groups; every word then comes after
  // the order's (length, first letter), so the letter no longer matters.
  if (request.minWordLength > minLength) {
    minLength = request.minWordLength;
    firstLetter = 0;
  }
  const int length = startLength();
  onlyAnagrams = request.multiWord && hasFrom && word == "*" && length <= request.longestWord &&
                 (last || length > total);
}

}  // namespace wk
