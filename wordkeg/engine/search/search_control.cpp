#include "search_control.h"

#include <algorithm>
#include <cstring>

#include "../base/paths.h"
#include "../base/wordkeg_exception.h"
#include "../dict/dict_format.h"
#include "../dict/dictionary.h"
#include "../dict/dictionary_scan.h"
#include "../dict/group_walk.h"
#include "../dict/operation_context.h"
#include "../dict/shared_dictionary.h"
#include "../dict/word_order.h"
#include "result_store.h"
#include "search_data.h"

namespace wk {
namespace {

// The reader's word and a blank, appended to the words chosen for as long as it lives.
class ChosenWord {
 public:
  ChosenWord(std::string& chosen, const Dictionary& reader)
      : chosen_(chosen), size_(chosen.size()) {
    reader.appendWritten(chosen);
    chosen.push_back(' ');
  }
  ~ChosenWord() { chosen_.resize(size_); }
  ChosenWord(const ChosenWord&) = delete;
  ChosenWord& operator=(const ChosenWord&) = delete;

 private:
  std::string& chosen_;
  size_t size_;
};

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
  scope.context->resetChecked();
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
  const FindStep& step = stepAt(depth_, rest_);
  rest_ = step.after;
  plan_ = planLevel(request, step, bangSeen_);
  bangSeen_ = plan_.bangSeen;
  SrcLetters& pool = pool_;
  const bool added = request.multiWord && plan_.word != "*" && pool.addLetters(plan_.word);
  narrowed_ = depth_ > 0 && !added;
  plan_.decide(request, pool.total(), pool.vowels(), minLength_, firstLetter_);
  if (plan_.action == LevelPlan::kSequence) {
    if (!levels_->chosen.empty()) scope_.store->append(levels_->chosen, true);
    return 0;
  }
  if (plan_.action == LevelPlan::kNothing) return 0;
  if (request.multiWord) return scanDictionary(scope_.subsetPath, pool);
  for (const auto& path : scope_.dictionaries) {
    if (scope_.finishedCount) *scope_.finishedCount += scope_.context->wordsChecked();
    try {
      if (scanDictionary(path, pool) == kCancelled) return kCancelled;
    } catch (const WordkegException& e) {
      warnLeftOut(e);  // what it gave before the damage stays
    }
  }
  return 0;
}

const FindStep& SearchControl::stepAt(size_t depth, const char* rest) {
  auto& steps = levels_->steps;
  if (steps.size() <= depth) steps.resize(depth + 1);
  FindStep& step = steps[depth];
  if (step.rest != rest) step.read(rest);
  return step;
}

// A multi-word search opens the subset once per depth: a descent seeks that reader afresh
// instead of opening (and, in stream mode, re-reading) the file for every word found above.
Dictionary& SearchControl::levelReader(size_t depth) {
  auto& readers = levels_->readers;
  if (readers.size() <= depth) readers.resize(depth + 1);
  if (!readers[depth])
    readers[depth] =
        std::make_unique<Dictionary>(*scope_.context, scope_.subsetPath, true,
                                     static_cast<size_t>(scope_.request->readerBufferSize));
  return *readers[depth];
}

ScanList& SearchControl::levelList(size_t depth) {
  auto& lists = levels_->lists;
  if (lists.size() <= depth) lists.resize(depth + 1);
  if (!lists[depth]) lists[depth] = std::make_unique<ScanList>();
  return *lists[depth];
}

int SearchControl::scanDictionary(const std::string& path, const SrcLetters& pool) {
  const SearchData& request = *scope_.request;
  if (request.multiWord) return scanWith(levelReader(depth_), pool);
  Dictionary reader(*scope_.context, path, false, static_cast<size_t>(request.readerBufferSize));
  return scanWith(reader, pool);
}

int SearchControl::scanWith(Dictionary& reader, const SrcLetters& pool) {
  const SearchData& request = *scope_.request;
  const SrcLetters* letters = request.from.empty() ? nullptr : &pool;
  // In memory, a scan of "*" from the pool's own length can only find the pool's anagrams, and
  // from beyond it nothing: the last word of a sequence that must use every letter left, or a
  // level whose order starts past what is left. They are appended (or none) without a scan.
  if (depth_ > 0 && appendsAnagrams(plan_, reader, pool.packsExactly(), pool.total()))
    return appendAnagrams(reader, pool.missingMask(), pool.packed(), pool.total(),
                          plan_.startLength(), plan_.firstLetter);
  DictionaryScan scan(reader, request.longestWord);
  if (request.multiWord) {
    scan.setLists(narrowed_ ? &levelList(depth_ - 1) : nullptr, &levelList(depth_));
    scan.leaveMatchesInReader();  // descend() appends them to the words chosen
    if (!plan_.last) {
      planBelow();
      // A match whose leftover letters the level below would refuse need not reach descend().
      if (belowScansAll_) scan.passOver(&refusedBelow());
    }
  }
  std::string found;
  int result = scan.start(plan_.word, letters, plan_.minLength, plan_.firstLetter, found);
  for (; result == DictionaryScan::kMatch; result = scan.next(found)) {
    if (request.maxWordLength > 0 && reader.length() > request.maxWordLength) continue;
    if (!request.multiWord) {
      acceptSingle(found, pool);
    } else if (descend(scan, reader) == kCancelled) {
      return kCancelled;
    }
    if (scope_.store->stopsSearch()) return kCancelled;  // all asked for found, or a full disk
  }
  return result == DictionaryScan::kCancelled ? kCancelled : 0;
}

int SearchControl::descend(const DictionaryScan& scan, const Dictionary& reader) {
  const SrcLetters& pool = scan.pool();
  if (plan_.last) {
    // Nothing is left to find: the level below would only tell whether the sequence is a result
    // (every letter used, where Use All asks for it).
    if (scope_.request->useAll && pool.leftOverTotal() != 0) return 0;
    const ChosenWord word(levels_->chosen, reader);
    scope_.store->append(levels_->chosen, true);
    return 0;
  }
  const int minLength = plan_.ordered ? reader.length() : 0;
  const char first = plan_.ordered ? reader.stored()[0] : 0;
  LevelPlan below;
  const bool settled = settleBelow(pool, minLength, first, below);
  if (settled && below.action == LevelPlan::kNothing) return 0;
  const ChosenWord word(levels_->chosen, reader);
  if (!settled) {
    SearchControl level(scope_, rest_, bangSeen_, minLength, first, pool.leftOver(), levels_,
                        depth_ + 1);
    return level.run();
  }
  if (below.action == LevelPlan::kSequence) {
    scope_.store->append(levels_->chosen, true);
    return 0;
  }
  return appendAnagrams(*belowReader_, pool.leftOverMissing(), pool.leftOverPacked(),
                        pool.leftOverTotal(), below.startLength(), below.firstLetter);
}

void SearchControl::planBelow() {
  if (belowReader_) return;
  below_ = planLevel(*scope_.request, stepAt(depth_ + 1, rest_), bangSeen_);
  belowReader_ = &levelReader(depth_ + 1);
  belowScansAll_ = below_.word == "*";
}

const PoolRefusals& SearchControl::refusedBelow() {
  // The same for every level at this depth: the level below's word and what was seen above it
  // are FIND's.
  auto& refusals = levels_->refusals;
  if (refusals.size() <= depth_) refusals.resize(depth_ + 1);
  if (refusals[depth_]) return *refusals[depth_];
  refusals[depth_] = std::make_unique<PoolRefusals>();
  PoolRefusals& refused = *refusals[depth_];
  // Whether a level refuses its pool outright depends on the pool's total and whether it holds
  // a vowel, not on the order it starts from.
  for (int total = 0; total < 128; ++total) {
    for (const bool vowel : {false, true}) {
      LevelPlan probe = below_;
      probe.decide(*scope_.request, total, vowel ? 1 : 0, 0, 0);
      if (probe.action == LevelPlan::kNothing) refused.mark(total, vowel);
    }
  }
  return refused;
}

bool SearchControl::settleBelow(const SrcLetters& pool, int length, char letter, LevelPlan& below) {
  // What the match left is known by its summaries only when the pool packs exactly.
  if (!pool.packsExactly()) return false;
  const SearchData& request = *scope_.request;
  planBelow();
  if (!belowScansAll_) return false;  // its letters join the pool: a level of its own
  below = below_;
  below.decide(request, pool.leftOverTotal(), pool.leftOverVowels(), length, letter);
  if (below.action != LevelPlan::kScan) return true;
  return appendsAnagrams(below, *belowReader_, true, pool.leftOverTotal());
}

bool SearchControl::appendsAnagrams(const LevelPlan& plan, const Dictionary& reader, bool exactPool,
                                    int total) {
  return plan.onlyAnagrams &&
         DictionaryScan::findsOnlyAnagrams(reader, exactPool, total, plan.startLength()) &&
         !reader.inert();
}

int SearchControl::appendAnagrams(Dictionary& reader, uint32_t missing, const LetterCounts& packed,
                                  int total, int length, char letter) {
  const SearchData& request = *scope_.request;
  OperationContext& state = reader.context();
  state.pause().pass();
  if (state.cancelRequested()) return kCancelled;
  const SharedDictionary& d = *reader.decoded();
  GroupWalk walk(d.groups, missing, total, request.longestWord, length, letter,
                 &levels_->lastLengths);
  auto [anagram, end] = d.anagramsOf(packed, 0);
  if (anagram != end) {  // most pools have none: they need no seek
    reader.seek(length, letter);
    const size_t from = reader.nextOrdinal();
    while (anagram != end && anagram->ordinal < from) ++anagram;
  }
  for (; anagram != end; ++anagram) {
    state.addChecked(walk.countTo(anagram->ordinal));
    reader.takeDecoded(anagram->ordinal);
    if (request.maxWordLength > 0 && reader.length() > request.maxWordLength) continue;
    // It uses every letter left: the sequence is a result.
    const ChosenWord word(levels_->chosen, reader);
    scope_.store->append(levels_->chosen, true);
    if (scope_.store->stopsSearch()) return kCancelled;
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
