#pragma once
// SubsetBuilder: before a multi-word search, gathers every word of the chosen dictionaries that
// can be made from the FROM letters into one subset dictionary, which the search then reads
// (held in memory when small).
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "../base/operation.h"
#include "../dict/operation_context.h"
#include "../dict/src_letters.h"

namespace wk {

struct SubsetSource {
  std::string dictionary;  // a dictionary to analyse
  std::string workFile;    // its per-run temporary subset file
};

class SubsetBuilder : public Operation {
 public:
  // Words of more than `longest` letters (the home's limit) are left out.
  SubsetBuilder(const SrcLetters& fromPool, std::vector<SubsetSource> sources,
                std::string subsetPath, int longest);

  // True when the subset dictionary is ready; false when cancelled or no word can be made from
  // the letters (the search then has nothing to do). Work files are removed on every path.
  bool run() override;
  void cancel() override;
  Progress progress() const override;
  PauseGate* questionGate() override { return &context_.pause(); }
  // Words the analysis has checked so far.
  uint64_t checked() const { return context_.wordsChecked(); }
  uint32_t matches() const { return matches_; }
  // "Analysing <file name>" or "Merging Dictionaries".
  std::string phase() const;
  bool merging() const { return merging_; }

 private:
  OperationContext context_;
  int analyse(const SubsetSource& source, std::vector<std::string>& mergeList);
  void mergeInto(const std::vector<std::string>& mergeList);

  SrcLetters pool_;
  int longest_;
  std::vector<SubsetSource> sources_;
  std::string subsetPath_;
  std::atomic<uint32_t> matches_{0};
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> merging_{false};
  mutable std::mutex textMutex_;
  std::string current_;
};

}  // namespace wk
