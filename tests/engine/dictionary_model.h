#pragma once
// An independent model of a compiled dictionary, written from the file format's rules alone
// (none of the engine's code): the dictionary order, and the whole file a list of words must
// become. Tests compare the engine's files with it byte for byte.
#include <string>
#include <vector>

namespace wk::test {

// Dictionary order of two words as written: <0, 0 or >0.
int modelOrder(const std::string& a, const std::string& b);
// `words` sorted by modelOrder, each word as written once.
std::vector<std::string> modelSorted(std::vector<std::string> words);
// The bytes of a dictionary holding `words` (any order, repeats allowed), its header's times 0
// and its selected flag 1.
std::vector<unsigned char> modelDictionary(const std::vector<std::string>& words);
// `file` with the header's times and selected flag as the model writes them, for comparing.
std::vector<unsigned char> withModelHeader(std::vector<unsigned char> file);

// `count` random words of 1 to `longest` letters a-z, some capitalised, some with an inner
// hyphen; no two differ only in where their hyphen stands. Sorted by modelOrder.
std::vector<std::string> randomWords(int count, int longest, unsigned seed);

}  // namespace wk::test
