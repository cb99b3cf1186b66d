#pragma once
// The one page of "wordkeg serve": the search form, the dictionaries with their selection, the
// results as they come and the pattern help, with its style; its script is served apart
// ("/page.js"), so that the page's policy can forbid every script written into a page.
// Nothing is fetched from elsewhere.
namespace wk::web {

const char* pageHtml();
const char* pageScript();

}  // namespace wk::web
