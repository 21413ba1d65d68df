#include "device/firmware_progress_relay.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cwchar>
#include <mutex>
#include <thread>
#include <vector>

#include "device/firmware_test_rig.h"
#include "settings/language_indexes.h"

namespace gm {
namespace {

using test::FirmwareRig;
using test::kOddAppSize;
using test::MakeAppImage;
using test::MakeSystemImage;

// However many changes come between two takes, the window is woken once and gets the latest of
// every line; after a take the next change wakes it again (a window waiting without a deadline
// would otherwise never render again).
TEST(FirmwareProgressRelay, WakesOnceUntilTakenAndHandsOverTheLatestOfEveryLine) {
  int wakes = 0;
  FirmwareProgressRelay relay([&] { ++wakes; }, nullptr);
  EXPECT_FALSE(relay.Take());

  relay.ShowDeviceChecksum(0x12345678u);
  relay.ShowText(kTextFirmwareErasing);
  relay.ShowStep(kTextSystemUpdating, 5, 1419);
  relay.ShowCountdown(kTextFirmwareWaiting, 7);
  EXPECT_EQ(wakes, 1);
  std::optional<FirmwareView> view = relay.Take();
  ASSERT_TRUE(view);
  EXPECT_EQ(view->status, FirmwareView::Status::kCountdown);
  EXPECT_EQ(view->textIndex, kTextFirmwareWaiting);
  EXPECT_EQ(view->step, 7);
  EXPECT_EQ(view->deviceChecksum, 0x12345678u);
  EXPECT_FALSE(view->progressShown);
  EXPECT_FALSE(relay.Take());

  relay.ClearDeviceChecksum();
  EXPECT_EQ(wakes, 2);
  view = relay.Take();
  ASSERT_TRUE(view);
  EXPECT_FALSE(view->deviceChecksum);
  EXPECT_EQ(view->status, FirmwareView::Status::kCountdown);  // the other lines stay as they were
}

double PercentValue(const std::wstring& text) { return text.empty() ? 0.0 : std::wcstod(text.c_str(), nullptr); }

// A whole update on a thread of its own while this thread takes what it shows, as the dialog does:
// the last state taken is the end of the update, the bar never passes its maximum, and the mouse's
// restart is announced once, before the start report goes out.
TEST(FirmwareProgressRelay, WholeUpdateOnItsOwnThreadEndsOnItsFinalLines) {
  const auto app = MakeAppImage(kOddAppSize, 3);
  const auto system = MakeSystemImage(2);
  FirmwareRig rig({.system = system, .application = MakeAppImage(50000, 9)});

  std::mutex mutex;
  std::condition_variable wake;
  bool news = false;
  auto signal = [&] {
    std::lock_guard lock(mutex);
    news = true;
    wake.notify_one();
  };
  int restarting = 0;
  std::size_t reportsWhenRestarting = 0;
  FirmwareProgressRelay relay(signal, [&] {
    ++restarting;
    reportsWhenRestarting = rig.boot.Reports().size();
    rig.links.SetFirmwareUpdateInProgress(true);
  });
  FirmwareUpdater updater(rig.link, relay);
  relay.Follow(updater);

  std::atomic<bool> ended{false};
  FirmwareResult result = FirmwareResult::kBusy;
  std::thread update([&] {
    result = updater.Run({app, system}, {0x0102, 0, 0});
    ended = true;
    signal();
  });
  std::vector<FirmwareView> taken;
  for (;;) {
    {
      std::unique_lock lock(mutex);
      wake.wait(lock, [&] { return news; });
      news = false;
    }
    if (auto view = relay.Take()) taken.push_back(*view);
    if (ended) break;
  }
  update.join();
  if (auto view = relay.Take()) taken.push_back(*view);

  EXPECT_EQ(result, FirmwareResult::kUpdated);
  ASSERT_FALSE(taken.empty());
  for (const FirmwareView& v : taken) {
    EXPECT_LE(v.progress, v.progressMax);
    EXPECT_LE(PercentValue(v.percent), 100.0) << std::string(v.percent.begin(), v.percent.end());
  }
  const FirmwareView& last = taken.back();
  EXPECT_EQ(last.status, FirmwareView::Status::kText);
  EXPECT_EQ(last.textIndex, kTextFirmwareCurrent);
  EXPECT_TRUE(last.progressShown);
  EXPECT_EQ(last.progressMax, 3965);
  EXPECT_EQ(last.progress, 3965);
  EXPECT_EQ(last.percent, L"100.0%");
  EXPECT_EQ(last.deviceChecksum, rig.boot.DeviceChecksum());

  EXPECT_EQ(restarting, 1);
  const auto reports = rig.boot.Reports();
  ASSERT_LT(reportsWhenRestarting, reports.size());
  EXPECT_EQ(reports[reportsWhenRestarting][3], static_cast<std::uint8_t>(BootloaderOp::kStartApplication));
  EXPECT_FALSE(rig.programEnded);
}

}  // namespace
}  // namespace gm
