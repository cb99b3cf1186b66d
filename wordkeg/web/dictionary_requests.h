#pragma once
// The API's dictionary requests on the home `home`, its ini and catalogue
// read afresh for each request (another program may have changed them): the list, and a change
// of one dictionary's selection, as "wordkeg dict list" and "wordkeg dict select" give and make
// them.
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>

namespace wk::web {

// [{"name": "british", "file": "british.lex", "words": N, "selected": true}, ...]
nlohmann::json dictionaryList(const std::string& home);

// Selects (or clears) the dictionary called `name`. 0 when done; else the status to answer
// (404 no such dictionary, 409 the change could not be written) and `error` says why.
int selectDictionary(const std::string& home, const std::string& name, bool selected, std::string& error);

}  // namespace wk::web
