// Settings with their defaults, the monitored drives and the pages' Apply rules.
#include "drvkeep/core/settings.h"

#include <gtest/gtest.h>

#include "drvkeep/core/pages.h"
#include "fakes.h"

namespace dk::test {
namespace {

TEST(Settings, EmptyStoreGivesDefaults) {
  FakeStore store;
  const Settings s = readSettings(store);
  EXPECT_EQ(s.threshold, 10);
  EXPECT_TRUE(s.flash);
  EXPECT_FALSE(s.message);
  EXPECT_TRUE(s.beep);
  EXPECT_TRUE(s.autoStart);
}

TEST(Settings, EligibleDrivesWithTheirFlags) {
  FakeDrives drives;
  drives.types = {{0, DriveType::kRemovable},
                  {2, DriveType::kFixed},
                  {3, DriveType::kFixed},
                  {4, DriveType::kUnknown},
                  {5, DriveType::kCdRom}};
  FakeStore store;
  store.values["D:\\"] = 0;
  EXPECT_EQ(monitoredDrives(drives, store), (std::vector<int>{2, 4}));
  EXPECT_EQ(rootPath(25), "Z:\\");
}

TEST(Pages, DriveLabelsAreCapitalisedOnlyWhenAllCapitals) {
  EXPECT_EQ(driveItemText("SYSTEM", 2), "System[C:]");
  EXPECT_EQ(driveItemText("Data", 3), "Data[D:]");
  EXPECT_EQ(driveItemText("", 3), "[D:]");
  EXPECT_EQ(driveItemText(std::string(60, 'X'), 3).size(), 48u + 4);
}

TEST(Pages, NoDriveSelectedChangesNothing) {
  FakeStore store;
  store.values["C:\\"] = 1;
  std::vector<int> monitored{2};
  EXPECT_FALSE(applyDrives({{2, false}, {3, false}}, monitored, store));
  EXPECT_EQ(monitored, std::vector<int>{2});
  EXPECT_EQ(store.values["C:\\"], 1u);
  EXPECT_TRUE(applyDrives({{2, false}, {3, true}}, monitored, store));
  EXPECT_EQ(monitored, std::vector<int>{3});
  EXPECT_EQ(store.values["C:\\"], 0u);
  EXPECT_EQ(store.values["D:\\"], 1u);
}

TEST(Pages, TypedThresholdIsUsedBeyondTheArrowsRange) {
  FakeStore store;
  Settings s;
  applyAlert(s, store, "2000", false, true, false);
  EXPECT_EQ(s.threshold, 2000);
  EXPECT_EQ(store.values["Threshold"], 2000u);
  EXPECT_FALSE(s.flash);
  EXPECT_TRUE(s.message);
  EXPECT_EQ(store.values["Beep"], 0u);
  EXPECT_EQ(parseThreshold(""), 0);
  EXPECT_EQ(parseThreshold("12ab"), 12);
  EXPECT_EQ(parseThreshold("1234567890"), 12345678);
  EXPECT_EQ(parseThreshold("1,000"), 1000);
  EXPECT_EQ(parseThreshold("1,"), 1);
  EXPECT_EQ(parseThreshold(",5"), 0);
}

TEST(Pages, AutoStartFollowsTheCheckBox) {
  FakeStore store;
  Settings s;
  applyAutoStartPage(s, store, false);
  EXPECT_FALSE(store.startup);
  EXPECT_EQ(store.values["Auto"], 0u);
  EXPECT_FALSE(s.autoStart);
}

}  // namespace
}  // namespace dk::test
