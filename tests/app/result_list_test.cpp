// The result list over the store: results flowing into rows at the list's width, the rows kept
// back while a search writes, the list's requests, and the selection re-flowed.
#include "app/result_list.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "../engine/test_home.h"
#include "engine/search/result_store.h"

namespace wk::test {
namespace {

class ResultListTest : public HomeTest {
 protected:
  void SetUp() override {
    HomeTest::SetUp();
    store = std::make_unique<ResultStore>(tempPath("w.$$$"), tempPath("w.pdx"));
    list = std::make_unique<app::ResultList>(*store);
  }
  // Appends "w0" .. "w<count-1>" as a search would, and ends the search.
  void fill(int count, bool finish = true) {
    for (int i = 0; i < count; ++i) {
      char word[16];  // not "w" + std::to_string(i): GCC 12 warns falsely (-Wrestrict) on it
      std::snprintf(word, sizeof word, "w%d", i);
      store->append(word, false);
    }
    if (finish) store->finish(ResultsHeader{});
  }
  std::unique_ptr<ResultStore> store;
  std::unique_ptr<app::ResultList> list;
};

TEST_F(ResultListTest, RowsFlowIntoColumns) {
  fill(25);  // longest entry 3
  list->setWidth(4 * 7 - 4);
  EXPECT_EQ(list->entriesPerRow(), 4);
  EXPECT_EQ(list->rowCount(), 7);
  EXPECT_EQ(list->rowText(0), "w0\tw1\tw2\tw3\t");
  EXPECT_EQ(list->rowText(6), "w24\t");
  EXPECT_EQ(list->rowText(7), "");
  EXPECT_EQ(list->rowText(-1), "");
  EXPECT_EQ(app::reflowRow(4, 3, 2), 6);
  EXPECT_EQ(app::reflowRow(2, 6, 4), 3);
}

TEST_F(ResultListTest, RowsAreKeptBackWhileASearchWrites) {
  fill(3, false);
  EXPECT_TRUE(store->writing());
  EXPECT_EQ(list->rowCount(), 3);
  EXPECT_EQ(list->rowText(0), "");
  store->finish(ResultsHeader{});
  EXPECT_FALSE(store->writing());
  EXPECT_EQ(list->rowText(0), "w0\t");
  store->reset();
  fill(2, false);
  store->reset();  // Clear All or a new search: nothing is being written any more
  EXPECT_FALSE(store->writing());
}

TEST_F(ResultListTest, RequestsWalkTheRows) {
  vlist::Request r;
  EXPECT_TRUE(list->answer(vlist::request::kLast, r));
  EXPECT_EQ(r.index, -1);
  EXPECT_STREQ(r.text, "");
  fill(10);
  list->setWidth(0);
  r = vlist::Request{};
  list->answer(vlist::request::kRange, r);
  EXPECT_EQ(r.index, 10);
  list->answer(vlist::request::kLast, r);
  EXPECT_EQ(r.index, 9);
  EXPECT_STREQ(r.text, "w9\t");
  list->answer(vlist::request::kNext, r);
  EXPECT_EQ(r.status, -1);
  r.index = 0;
  list->answer(vlist::request::kPrevious, r);
  EXPECT_EQ(r.status, -1);
  r.data = 4;
  list->answer(vlist::request::kFindItem, r);
  EXPECT_EQ(r.index, 4);
  EXPECT_STREQ(r.text, "w4\t");
  r.index = 50;
  r.data = 3;
  list->answer(vlist::request::kFindPosition, r);
  EXPECT_EQ(r.index, 0);  // ten rows: row count / 100 is 0
  EXPECT_FALSE(list->answer(9999, r));
}

}  // namespace
}  // namespace wk::test
