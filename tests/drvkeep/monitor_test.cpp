// The monitor: tooltips, the alert episode and the flash tick, with fake drives and tray.
#include "drvkeep/core/monitor.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace dk::test {
namespace {

class MonitorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drives.types = {{2, DriveType::kFixed}, {3, DriveType::kFixed}};
    drives.freeMb = {{2, 500.0}, {3, 20.0}};
    list = {2, 3};
  }
  Monitor monitor() { return Monitor(settings, list, drives, tray, alerts); }

  Settings settings;
  std::vector<int> list;
  FakeDrives drives;
  FakeTray tray;
  FakeAlerts alerts;
};

TEST_F(MonitorTest, NormalTipListsEveryDrive) {
  Monitor m = monitor();
  EXPECT_EQ(m.tip(), "Drive Keeper - Not ready");
  m.poll();
  EXPECT_EQ(m.tip(), "Drive  C: 500.0Mb,  D: 20.0Mb");
  EXPECT_FALSE(m.alerting());
}

TEST_F(MonitorTest, NoDriveKeepsNotReadyAndNeverAlerts) {
  list.clear();
  settings.threshold = 1000000;
  Monitor m = monitor();
  m.poll();
  EXPECT_EQ(m.tip(), "Drive Keeper - Not Ready");
  EXPECT_FALSE(m.alerting());
}

TEST_F(MonitorTest, EqualIsNotLowAndThresholdZeroNeverAlerts) {
  settings.threshold = 20;
  Monitor m = monitor();
  m.poll();
  EXPECT_FALSE(m.alerting());
  drives.freeMb.erase(3);  // a failed query counts as 0.0 Mb
  settings.threshold = 0;
  m.poll();
  EXPECT_FALSE(m.alerting());
  settings.threshold = 1;
  m.poll();
  EXPECT_TRUE(m.alerting());
}

TEST_F(MonitorTest, WarningOncePerEpisodeAndAlertTipListsLowDrivesOnly) {
  settings.threshold = 100;
  settings.message = true;
  Monitor m = monitor();
  m.poll();
  EXPECT_TRUE(m.alerting());
  EXPECT_TRUE(alerts.flashTimer);
  ASSERT_EQ(alerts.warnings.size(), 1u);
  EXPECT_EQ(alerts.warnings[0].rfind("Warning - Disk space is Low", 0), 0u);
  m.poll();
  EXPECT_EQ(m.tip(), "Low  D: 20.0Mb");
  EXPECT_EQ(alerts.warnings.size(), 1u);
  drives.freeMb[3] = 200;
  m.poll();
  EXPECT_FALSE(m.alerting());
  EXPECT_FALSE(alerts.flashTimer);
  EXPECT_EQ(tray.icons.back(), kNormalIcon);
  drives.freeMb[3] = 20;
  m.poll();
  EXPECT_EQ(alerts.warnings.size(), 2u);  // a new episode
}

TEST_F(MonitorTest, FlashAndBeepFlagCombinations) {
  settings.threshold = 100;
  for (const bool flash : {false, true}) {
    for (const bool beep : {false, true}) {
      settings.flash = flash;
      settings.beep = beep;
      FakeTray freshTray;
      FakeAlerts freshAlerts;
      Monitor m(settings, list, drives, freshTray, freshAlerts);
      m.poll();
      for (int i = 0; i < 4; ++i) m.flashTick();
      EXPECT_EQ(freshAlerts.beeps, beep ? 4 : 0);
      EXPECT_EQ(freshTray.icons, flash ? (std::vector<int>{1, 4, 1, 4}) : std::vector<int>{});
    }
  }
}

TEST_F(MonitorTest, DrivesBeyondTheTipLimitStillCountForTheAlert) {
  for (int d = 2; d < 12; ++d) {
    drives.types[d] = DriveType::kFixed;
    drives.freeMb[d] = 123456.7;
  }
  drives.freeMb[11] = 1.0;
  list = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  settings.threshold = 10;
  Monitor m = monitor();
  m.poll();
  EXPECT_LT(m.tip().size(), kTipLimit);
  EXPECT_EQ(m.tip().find("L:"), std::string::npos);
  EXPECT_TRUE(m.alerting());
}

TEST(FreeSpace, ProgramMegabyteIs1048756Bytes) {
  struct OneDrive : FakeDrives {
    bool freeSpace(int, uint32_t& c, uint32_t& b, uint32_t& s) override {
      c = 1048756;
      b = 512;
      s = 8;
      return true;
    }
  } drive;
  EXPECT_FLOAT_EQ(freeMegabytes(drive, 0), 4096.0f);
}

}  // namespace
}  // namespace dk::test
