#include "search_control.h"

#include <algorithm>
#include <cstring>

#include "../base/paths.h"
#include "../base/pause_gate.h"
#include "../base/wordkeg_exception.h"
#include "../dict/dict_format.h"
#include "../dict/dictionary.h"
#include "../dict/dictionary_scan.h"
#include "../dict/group_walk.h"
#include "../dict/reader_state.h"
#include "../dict/shared_dictionary.h"
#include "../dict/word_order.h"
#include "result_store.h"
#include "search_data.h"

namespace wk {
namespace {

bool onlyStarsLeft(const char* rest) {
  return std::strspn(rest, "* !") == std::strlen(rest);
}

}  // namespace

bool passesIncludeExclude(const std::string& word, const std::string& include,
                          const std::string& exclude) {
  if (include.empty() && exclude.empty()) return true;  // the common case, once a result
  std::string copy = toLower(word);
  for (char c : include) {
    const auto at = copy.find(c);
    if (at == std::string::npos) return false;
    copy[at] = '#';
  }
  return copy.find_first_of(exclude) == std::string::npos;
}

SearchControl::SearchControl(const SearchScope& scope)
    : SearchControl(scope, scope.request->find.c_str(), false, 0, 0, scope.request->sourcePool,
                    nullptr, 0) {
  ownLevels_ = std::make_unique<Levels>();
  levels_ = ownLevels_.get();
  readerState().resetChecked();
  if (scope.finishedCount) *scope.finishedCount = 0;
}

SearchControl::SearchControl(const SearchScope& scope, const char* rest, bool bangSeen,
                             int minLength, char firstLetter, const SrcLetters& pool,
                             Levels* levels, size_t depth)
    : scope_(scope),
      rest_(rest),
      bangSeen_(bangSeen),
      minLength_(minLength),
      firstLetter_(firstLetter),
      pool_(pool),
      levels_(levels),
      depth_(depth) {}

SearchControl::~SearchControl() {
  // The deepest readers close first, as nested readers did.
  if (ownLevels_)
    while (!ownLevels_->readers.empty()) ownLevels_->readers.pop_back();
}

int SearchControl::run() {
  const SearchData& request = *scope_.request;
  const Step& step = stepAt(rest_);
  std::string_view word = step.word;
  rest_ = step.after;
  if (step.bang) bangSeen_ = true;
  useAll_ = request.useAll;
  if (bangSeen_) {
    word = "*";
    useAll_ = true;
  }
  const bool last = *rest_ == 0 && !bangSeen_;
  const bool ordered =
      request.suppressPermutations && (bangSeen_ || (word == "*" && step.onlyStarsAfter));
  SrcLetters& pool = pool_;
  const bool added = request.multiWord && word != "*" && pool.addLetters(word);
  narrowed_ = depth_ > 0 && !added;
  const int total = pool.total();
  // Only when every letter must be used does a short remainder force one word to take it all.
  if (useAll_ && minLength_ && total - minLength_ > 0 && total - minLength_ < minLength_) {
    minLength_ = total;
    firstLetter_ = 0;
  }
  if ((bangSeen_ && total == 0) || (word.empty() && (!useAll_ || total == 0))) {
    // An empty sequence is no result.
    if (!levels_->chosen.empty()) scope_.store->append(levels_->chosen, true);
    return 0;
  }
  const bool hasFrom = !request.from.empty();
  if (hasFrom && (total == 0 || pool.vowels() == 0)) return 0;
  if (last) {
    const int stars = static_cast<int>(std::count(word.begin(), word.end(), '*'));
    const int fixed = static_cast<int>(word.size()) - stars;
    if (hasFrom && total < fixed) return 0;
    if (useAll_ && hasFrom &&
        (total > request.longestWord || total == 0 ||
         (stars == 0 && static_cast<int>(word.size()) < total)))
      return 0;
    const int required = (useAll_ && total != SrcLetters::kUnlimited) ? total : 0;
    const int before = minLength_;
    minLength_ = std::max(required, minLength_);
    if (request.suppressPermutations && minLength_ != before) firstLetter_ = 0;
  }
  if (request.multiWord) return scanDictionary(scope_.subsetPath, word, pool, ordered);
  for (const auto& path : scope_.dictionaries) {
    if (scope_.finishedCount) *scope_.finishedCount += readerState().wordsChecked();
    try {
      if (scanDictionary(path, word, pool, ordered) == kCancelled) return kCancelled;
    } catch (const WordkegException& e) {
      warnLeftOut(e);  // what it gave before the damage stays
    }
  }
  return 0;
}

const SearchControl::Step& SearchControl::stepAt(const char* rest) {
  auto& steps = levels_->steps;
  if (steps.size() <= depth_) steps.resize(depth_ + 1);
  Step& step = steps[depth_];
  if (step.rest == rest) return step;
  const char* blank = std::strchr(rest, ' ');
  step.rest = rest;
  step.word = std::string_view(rest, blank ? static_cast<size_t>(blank - rest) : std::strlen(rest));
  step.after = blank ? blank + 1 : rest + step.word.size();
  step.bang = step.word.find('!') != std::string_view::npos;
  step.onlyStarsAfter = onlyStarsLeft(step.after);
  return step;
}

// A multi-word search opens the subset once per depth: a descent seeks that reader afresh
// instead of opening (and, in stream mode, re-reading) the file for every word found above.
Dictionary& SearchControl::levelReader() {
  auto& readers = levels_->readers;
  if (readers.size() <= depth_) readers.resize(depth_ + 1);
  if (!readers[depth_])
    readers[depth_] = std::make_unique<Dictionary>(
        scope_.subsetPath, true, static_cast<size_t>(scope_.request->readerBufferSize));
  return *readers[depth_];
}

ScanList& SearchControl::levelList(size_t depth) {
  auto& lists = levels_->lists;
  if (lists.size() <= depth) lists.resize(depth + 1);
  if (!lists[depth]) lists[depth] = std::make_unique<ScanList>();
  return *lists[depth];
}

int SearchControl::scanDictionary(const std::string& path, std::string_view word,
                                  const SrcLetters& pool, bool ordered) {
  const SearchData& request = *scope_.request;
  if (request.multiWord) return scanWith(levelReader(), word, pool, ordered);
  Dictionary reader(path, false, static_cast<size_t>(request.readerBufferSize));
  return scanWith(reader, word, pool, ordered);
}

int SearchControl::scanWith(Dictionary& reader, std::string_view word, const SrcLetters& pool,
                            bool ordered) {
  const SearchData& request = *scope_.request;
  const SrcLetters* letters = request.from.empty() ? nullptr : &pool;
  // A shortest length above the order's skips the shorter groups; every word then comes after
  // the order's (length, first letter), so the letter no longer matters.
  int minLength = minLength_;
  char firstLetter = firstLetter_;
  if (request.minWordLength > minLength) {
    minLength = request.minWordLength;
    firstLetter = 0;
  }
  // In memory, a scan of "*" from the pool's own length can only find the pool's anagrams, and
  // from beyond it nothing: the last word of a sequence that must use every letter left, or a
  // level whose order starts past what is left. They are appended (or none) without a scan.
  const int length = std::max(minLength, 1);
  if (request.multiWord && depth_ > 0 && letters && word == "*" &&
      length <= request.longestWord && ((*rest_ == 0 && !bangSeen_) || length > pool.total()) &&
      DictionaryScan::findsOnlyAnagrams(reader, pool, length) && !reader.inert())
    return appendAnagrams(reader, pool, length, firstLetter);
  DictionaryScan scan(reader, request.longestWord);
  if (request.multiWord)
    scan.setLists(narrowed_ ? &levelList(depth_ - 1) : nullptr, &levelList(depth_));
  std::string found;
  int result = scan.start(word, letters, minLength, firstLetter, found);
  for (; result == DictionaryScan::kMatch; result = scan.next(found)) {
    if (request.maxWordLength > 0 && reader.length() > request.maxWordLength) continue;
    if (!request.multiWord) {
      acceptSingle(found, pool);
    } else if (descend(scan, reader, found, ordered) == kCancelled) {
      return kCancelled;
    }
    if (scope_.store->full()) return kCancelled;  // the results asked for are all found
  }
  return result == DictionaryScan::kCancelled ? kCancelled : 0;
}

int SearchControl::descend(const DictionaryScan& scan, const Dictionary& reader,
                           const std::string& found, bool ordered) {
  std::string& chosen = levels_->chosen;
  const size_t before = chosen.size();
  chosen.append(found).push_back(' ');
  // The sequence above stays as it was for this level's next word, whichever way this ends.
  struct Restore {
    std::string& chosen;
    size_t size;
    ~Restore() { chosen.resize(size); }
  } restore{chosen, before};
  if (*rest_ == 0 && !bangSeen_) {
    // Nothing is left to find: the level below would only tell whether the sequence is a result
    // (every letter used, where Use All asks for it).
    if (!scope_.request->useAll || scan.pool().leftOverTotal() == 0)
      scope_.store->append(chosen, true);
    return 0;
  }
  const int minLength = ordered ? reader.length() : 0;
  char first = 0;
  if (ordered) first = (found[0] >= 'A' && found[0] <= 'Z') ? found[0] - 'A' + 'a' : found[0];
  SearchControl below(scope_, rest_, bangSeen_, minLength, first, scan.pool().leftOver(), levels_,
                      depth_ + 1);
  return below.run();
}

int SearchControl::appendAnagrams(Dictionary& reader, const SrcLetters& pool, int length,
                                  char letter) {
  const SearchData& request = *scope_.request;
  ReaderState& state = readerState();
  pauseGate().pass();
  if (state.cancelRequested()) return kCancelled;
  const SharedDictionary& d = *reader.decoded();
  GroupWalk walk(d.groups, pool.missingMask(), pool.total(), request.longestWord, length, letter,
                 &levels_->lastLengths);
  reader.seek(length, letter);
  auto [anagram, end] = d.anagramsOf(pool.packed(), reader.nextOrdinal());
  std::string& chosen = levels_->chosen;
  const size_t before = chosen.size();
  for (; anagram != end; ++anagram) {
    state.addChecked(walk.countTo(anagram->ordinal));
    reader.takeDecoded(anagram->ordinal);
    if (request.maxWordLength > 0 && reader.length() > request.maxWordLength) continue;
    // It uses every letter left: the sequence is a result.
    reader.appendWritten(chosen);
    chosen.push_back(' ');
    scope_.store->append(chosen, true);
    chosen.resize(before);
    if (scope_.store->full()) return kCancelled;
  }
  state.addChecked(walk.countRest());
  return 0;
}

void SearchControl::acceptSingle(const std::string& found, const SrcLetters& pool) {
  const SearchData& request = *scope_.request;
  if (request.useAll && pool.total() != 0 && letterCount(found) != pool.total()) return;
  if (!passesIncludeExclude(found, request.include, request.exclude)) return;
  scope_.store->append(found, false);
}

}  // namespace wk
