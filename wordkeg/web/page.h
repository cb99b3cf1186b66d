#pragma once
// The one page of "wordkeg serve": the search form, the dictionaries with their selection, the
// results as they come and the pattern help, in one document with its style and script (nothing
// is fetched from elsewhere).
namespace wk::web {

const char* pageHtml();

}  // namespace wk::web
