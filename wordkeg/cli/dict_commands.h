#pragma once
// The "wordkeg dict ..." commands. Each returns the exit status: 0 done, 1 nothing found or
// nothing done, 2 refused or failed. Messages go through the message port (stderr).
#include <string>
#include <vector>

namespace wk::cli {

namespace exit_code {
constexpr int kDone = 0;
constexpr int kNothing = 1;
constexpr int kRefused = 2;
}  // namespace exit_code

int listDictionaries();
int showDetails(const std::string& name);
int selectDictionaries(const std::vector<std::string>& names, bool all, bool selected);
int makeDictionary(const std::string& wordList, const std::string& name, bool uniqueOnly);
int mergeDictionaries(const std::string& target, const std::vector<std::string>& names,
                      bool deleteSources);
int addWord(const std::string& word, const std::string& dictionary);
int removeWord(const std::string& word, const std::string& dictionary);
int findWord(const std::string& word);
int deleteDictionaries(const std::vector<std::string>& names);
int listWords(const std::string& name);

}  // namespace wk::cli
