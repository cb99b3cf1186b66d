#pragma once
// The "wordkeg dict ..." commands, on the catalogue of the home they run in. Each returns the
// exit status: 0 done, 1 nothing found or nothing done, 2 refused or failed. Messages go through
// the message port (stderr).
#include <string>
#include <vector>

namespace wk {
class DictionaryNames;
}

namespace wk::cli {

namespace exit_code {
constexpr int kDone = 0;
constexpr int kNothing = 1;
constexpr int kRefused = 2;
}  // namespace exit_code

int listDictionaries(DictionaryNames& catalogue);
int showDetails(DictionaryNames& catalogue, const std::string& name);
int selectDictionaries(DictionaryNames& catalogue, const std::vector<std::string>& names, bool all, bool selected);
int makeDictionary(DictionaryNames& catalogue, const std::string& wordList, const std::string& name, bool uniqueOnly);
int mergeDictionaries(DictionaryNames& catalogue, const std::string& target, const std::vector<std::string>& names,
                      bool deleteSources);
int addWord(DictionaryNames& catalogue, const std::string& word, const std::string& dictionary);
int removeWord(DictionaryNames& catalogue, const std::string& word, const std::string& dictionary);
int findWord(DictionaryNames& catalogue, const std::string& word);
int deleteDictionaries(DictionaryNames& catalogue, const std::vector<std::string>& names);
int listWords(DictionaryNames& catalogue, const std::string& name);

}  // namespace wk::cli
