#include "device/firmware_update.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "device/fake_device_host.h"
#include "device/firmware_test_rig.h"
#include "device/upload.h"
#include "settings/language_indexes.h"
#include "settings/settings_model.h"

namespace gm {
namespace {

using test::FirmwareRig;
using test::kOddAppSize;
using test::MakeAppImage;
using test::MakeSystemImage;

std::uint32_t HeaderChecksum(const std::vector<std::uint8_t>& image) {
  return std::uint32_t{image[0]} | (std::uint32_t{image[1]} << 8) | (std::uint32_t{image[2]} << 16) |
         (std::uint32_t{image[3]} << 24);
}

BootloaderReport Expected(std::initializer_list<std::uint8_t> head, std::uint8_t fill = 0) {
  BootloaderReport r{};
  std::fill(r.begin() + kBootloaderDataOffset, r.end(), fill);
  std::copy(head.begin(), head.end(), r.begin());
  return r;
}

// ---- images ----

TEST(FirmwareImage, ChecksumSkipsTheHeaderAndLeavesOutTheFinalInversion) {
  std::vector<std::uint8_t> image(16, 0xEE);
  for (char c : std::string("123456789")) image.push_back(static_cast<std::uint8_t>(c));
  // The standard CRC-32 of "123456789" is 0xCBF43926; without the final inversion it is its complement.
  EXPECT_EQ(ImageChecksum(image), 0x340BC6D9u);
  EXPECT_EQ(ImageChecksum(std::vector<std::uint8_t>(16, 0)), 0xFFFFFFFFu);
  EXPECT_EQ(ImageChecksum({}), 0xFFFFFFFFu);
}

TEST(FirmwareImage, HeaderIsLittleEndianAtItsOffsetAndNeedsSixteenBytes) {
  std::vector<std::uint8_t> image(0x3740, 0);
  const std::uint8_t header[16] = {0x78, 0x56, 0x34, 0x12, 0x02, 0x01, 0x04, 0x03,
                                   0x08, 0x07, 0x06, 0x05, 0x09, 0x0A, 0x0C, 0x0B};
  std::copy(std::begin(header), std::end(header), image.begin() + kSystemHeaderOffset);
  const auto h = ParseImageHeader(image, kSystemHeaderOffset);
  ASSERT_TRUE(h);
  EXPECT_EQ(h->checksum, 0x12345678u);
  EXPECT_EQ(h->field1, 0x0102);
  EXPECT_EQ(h->field2, 0x0304);
  EXPECT_EQ(h->field3, 0x05060708u);
  EXPECT_EQ(h->field4, 0x09);
  EXPECT_EQ(h->field5, 0x0A);
  EXPECT_EQ(h->field6, 0x0B0C);
  EXPECT_FALSE(ParseImageHeader(std::span(image).first(0x373F), kSystemHeaderOffset));
  EXPECT_FALSE(ParseImageHeader(image, 0x10000));
}

TEST(FirmwareImage, UsableSizes) {
  EXPECT_TRUE(IsUsableAppImage(std::vector<std::uint8_t>(16)));
  EXPECT_FALSE(IsUsableAppImage(std::vector<std::uint8_t>(15)));
  EXPECT_TRUE(IsUsableAppImage(std::vector<std::uint8_t>(0x26F80)));
  EXPECT_FALSE(IsUsableAppImage(std::vector<std::uint8_t>(0x26F81)));
  EXPECT_TRUE(IsUsableSystemImage(std::vector<std::uint8_t>(0x2B000)));
  EXPECT_FALSE(IsUsableSystemImage(std::vector<std::uint8_t>(0x2AFFF)));
  EXPECT_TRUE(IsUsableSystemImage(std::vector<std::uint8_t>(0x52000)));
  EXPECT_FALSE(IsUsableSystemImage(std::vector<std::uint8_t>(0x52001)));
}

// ---- reports ----

TEST(FirmwareReports, EachOperationByteForByte) {
  std::vector<std::uint8_t> block(128);
  for (int i = 0; i < 128; ++i) block[i] = static_cast<std::uint8_t>(i + 1);
  BootloaderReport full = Expected({0xBF, 0x80, 0x00, 0x00, 0x00, 0x05, 0x20, 0x80});
  std::copy(block.begin(), block.end(), full.begin() + 8);
  EXPECT_EQ(WriteBlockReport(0x52080, block), full);

  // The short last block of a 101,568-byte image: 64 bytes at 0x52000 + 793 * 128 = 0x6AC80.
  BootloaderReport rest = Expected({0xBF, 0x40, 0x00, 0x00, 0x00, 0x06, 0xAC, 0x80});
  std::copy_n(block.begin(), 64, rest.begin() + 8);
  EXPECT_EQ(WriteBlockReport(0x6AC80, std::span(block).first(64)), rest);

  const BootloaderParameter key{0x11, 0x22, 0x33, 0x44};
  const struct {
    const char* name;
    BootloaderReport built;
    BootloaderReport expected;
  } cases[] = {
      {"read header", ReadReport(0x02B070, 0x10), Expected({0xBF, 0x00, 0x10, 0x00, 0x00, 0x02, 0xB0, 0x70})},
      {"read block", ReadReport(0x10F80, 0x80), Expected({0xBF, 0x00, 0x80, 0x00, 0x00, 0x01, 0x0F, 0x80})},
      {"erase sector", EraseSectorReport(0x2A000), Expected({0xBF, 0x00, 0x00, 0x03, 0x00, 0x02, 0xA0, 0x00})},
      {"erase application", EraseApplicationReport(), Expected({0xBF, 0x00, 0x00, 0x01, 0, 0, 0, 0})},
      {"unlock", UnlockReport(key), Expected({0xBF, 0x00, 0x00, 0x05, 0x11, 0x22, 0x33, 0x44})},
      {"lock", LockReport(), Expected({0xBF, 0x00, 0x00, 0x05, 0, 0, 0, 0})},
      {"finish", FinishReport(key), Expected({0xBF, 0x00, 0x00, 0x04, 0x11, 0x22, 0x33, 0x44}, 0xFF)},
      {"start application", StartApplicationReport(), Expected({0xBF, 0x00, 0x00, 0x02, 0, 0, 0, 0})},
  };
  for (const auto& c : cases) EXPECT_EQ(c.built, c.expected) << c.name;
}

// ---- progress and texts ----

TEST(FirmwareProgress, MaximumAndPercentage) {
  EXPECT_EQ(AppProgressMax(kOddAppSize), 3965);
  EXPECT_EQ(AppProgressMax(127), 0);
  EXPECT_DOUBLE_EQ(ProgressPercent(3176, 3965), 3176 * 100.0 / 3965);
  EXPECT_DOUBLE_EQ(ProgressPercent(3970, 3965), 100.0);
  EXPECT_DOUBLE_EQ(ProgressPercent(4, 0), 100.0);  // an image without a full block
}

TEST(FirmwareTexts, ExactFormats) {
  EXPECT_EQ(FormatFileChecksum(0xABCD), L"CS1:0000abcd");
  EXPECT_EQ(FormatDeviceChecksum(0xDEADBEEF), L"Device CS:deadbeef");
  EXPECT_EQ(FormatStep(L"Updating", 44, 1419), L"Updating(44/1419)");
  EXPECT_EQ(FormatCountdown(L"Wait", 20), L"Wait  ....20");
  EXPECT_EQ(FormatPercent(12.34), L"12.3%");
  EXPECT_EQ(FormatPercent(80.06), L"80.1%");
  EXPECT_EQ(FormatPercent(100.0), L"100.0%");
}

// ---- the procedure against the simulated mouse ----

TEST(FirmwareUpdate, RewritesSystemAndApplicationAndSurvivesTheRestart) {
  const auto app = MakeAppImage(kOddAppSize, 3);
  const auto system = MakeSystemImage(2);
  FirmwareRig rig({.system = MakeSystemImage(1), .application = MakeAppImage(50000, 9)});
  const std::uint32_t oldChecksum = rig.boot.DeviceChecksum();
  // The window may handle the links' removal the moment the mouse restarts, before anything the
  // update does after its start report: the update must have said so already.
  // The update sends only bootloader reports, which the mouse itself never sees: the first change
  // the mouse notices is its links vanishing as it restarts.
  std::optional<bool> flaggedAtRestart;
  rig.mouse.SetChangeObserver([&] {
    if (!flaggedAtRestart) flaggedAtRestart = rig.links.FirmwareUpdateInProgress();
  });

  EXPECT_EQ(rig.Run(app, system), FirmwareResult::kUpdated);

  // The mouse holds both images.
  EXPECT_EQ(rig.boot.Flash(0, kSystemWriteSize), std::vector<std::uint8_t>(system.begin(), system.begin() + kSystemWriteSize));
  EXPECT_EQ(rig.boot.Flash(kAppFlashAddress, app.size()), app);
  EXPECT_EQ(rig.boot.DeviceChecksum(), HeaderChecksum(app));
  const sim::BootloaderCounts counts = rig.boot.Counts();
  EXPECT_EQ(counts.unlocks, 1);
  EXPECT_EQ(counts.locks, 1);
  EXPECT_EQ(counts.sectorErases, 43);
  EXPECT_EQ(counts.appErases, 1);
  EXPECT_EQ(counts.finishes, 1);
  EXPECT_EQ(counts.restarts, 1);
  // The window's first block is read three times (it differs every time), then the verify reads
  // the whole region once.
  EXPECT_EQ(rig.CountReports(BootloaderOp::kTransfer, false, 0, kSystemWriteSize), 3 + 1376);

  // The restart: the link vanished without ending the program and came back with the new version.
  EXPECT_FALSE(rig.programEnded);
  EXPECT_EQ(flaggedAtRestart, std::optional<bool>(true));
  EXPECT_TRUE(rig.links.State(LinkKind::Wired).present);
  EXPECT_EQ(rig.links.WiredVersionNumber(), 0x0103);
  EXPECT_FALSE(rig.links.FirmwareUpdateInProgress());
  EXPECT_EQ(rig.ui.restarting, 1);

  // The last three reports: finish, start, and the header read after the countdown.
  const auto reports = rig.boot.Reports();
  ASSERT_GE(reports.size(), 3u);
  EXPECT_EQ(reports[reports.size() - 3], Expected({0xBF, 0, 0, 0x04, 0xA5, 0x5A, 0xAA, 0x55}, 0xFF));
  EXPECT_EQ(reports[reports.size() - 2], Expected({0xBF, 0, 0, 0x02, 0, 0, 0, 0}));
  EXPECT_EQ(reports.back(), Expected({0xBF, 0x00, 0x10, 0x00, 0x00, 0x02, 0xB0, 0x70}));

  // What the dialog showed.
  EXPECT_EQ(rig.ui.deviceChecksums, (std::vector<std::uint32_t>{oldChecksum, HeaderChecksum(app)}));
  EXPECT_EQ(rig.ui.texts, (std::vector<int>{kTextFirmwareErasing, kTextFirmwareWriting, kTextFirmwareVerifying,
                                            kTextFirmwareCurrent}));
  ASSERT_EQ(rig.ui.steps.size(), 1419u + 1376u);
  EXPECT_EQ(rig.ui.steps.front(), std::make_tuple(kTextSystemUpdating, 1, 1419));
  EXPECT_EQ(rig.ui.steps[43], std::make_tuple(kTextSystemUpdating, 44, 1419));
  EXPECT_EQ(rig.ui.steps[1418], std::make_tuple(kTextSystemUpdating, 1419, 1419));
  EXPECT_EQ(rig.ui.steps.back(), std::make_tuple(kTextSystemVerifying, 1376, 1376));
  std::vector<std::pair<int, int>> countdown = {{kTextFirmwareStarting, 3},   {kTextFirmwareStarting, 2},
                                                {kTextFirmwareStarting, 1},   {kTextFirmwareRestarting, 3},
                                                {kTextFirmwareRestarting, 2}, {kTextFirmwareRestarting, 1}};
  for (int n = 20; n >= 6; --n) countdown.emplace_back(kTextFirmwareWaiting, n);
  EXPECT_EQ(rig.ui.countdowns, countdown);

  // 794 blocks written (+4) and verified (+1) against a maximum of 3965: the bar stops at 100.0.
  EXPECT_TRUE(rig.ui.progressShown);
  EXPECT_EQ(rig.updater.ProgressMax(), 3965);
  EXPECT_EQ(rig.updater.Progress(), 794 * 5);
  ASSERT_EQ(rig.ui.percents.size(), 794u * 2);
  EXPECT_DOUBLE_EQ(rig.ui.percents.front(), 4 * 100.0 / 3965);
  EXPECT_DOUBLE_EQ(rig.ui.percents[793], 3176 * 100.0 / 3965);
  EXPECT_DOUBLE_EQ(*std::max_element(rig.ui.percents.begin(), rig.ui.percents.end()), 100.0);
  EXPECT_DOUBLE_EQ(rig.ui.percents.back(), 100.0);
}

TEST(FirmwareUpdate, MatchingSystemRegionIsNeitherErasedNorWritten) {
  const auto app = MakeAppImage(4096, 3);
  const auto system = MakeSystemImage(2);
  // No application yet: its region reads as erased flash, so it is not erased first either.
  FirmwareRig rig({.system = system});

  EXPECT_EQ(rig.Run(app, system), FirmwareResult::kUpdated);
  const auto reports = rig.boot.Reports();
  // The header; the window 0x10000..0x10FFF once; every other block of the region once, each
  // looked at for erased flash; then the application's first block.
  ASSERT_GT(reports.size(), 1378u);
  EXPECT_EQ(reports[0], Expected({0xBF, 0x00, 0x10, 0x00, 0x00, 0x02, 0xB0, 0x70}));
  std::vector<std::uint32_t> order;
  for (std::uint32_t a = 0x10000; a < 0x11000; a += 128) order.push_back(a);
  for (std::uint32_t a = 0; a < 0x2B000; a += 128)
    if (a < 0x10000 || a >= 0x11000) order.push_back(a);
  ASSERT_EQ(order.size(), 1376u);
  for (int i = 0; i < 1376; ++i) {
    const std::uint32_t a = order[static_cast<std::size_t>(i)];
    EXPECT_EQ(reports[1 + i], Expected({0xBF, 0x00, 0x80, 0x00, 0x00, static_cast<std::uint8_t>(a >> 16),
                                        static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a)}));
  }
  EXPECT_EQ(reports[1377], Expected({0xBF, 0x00, 0x80, 0x00, 0x00, 0x05, 0x20, 0x00}));
  EXPECT_EQ(rig.CountReports(BootloaderOp::kTransfer, true, 0, kSystemWriteSize), 0);
  EXPECT_EQ(rig.CountReports(BootloaderOp::kEraseSector, false, 0, 0x1000000), 0);
  EXPECT_EQ(rig.boot.Counts().unlocks, 0);
  EXPECT_EQ(rig.boot.Counts().appErases, 0);
  EXPECT_TRUE(rig.ui.steps.empty());
  EXPECT_EQ(rig.ui.texts, (std::vector<int>{kTextFirmwareWriting, kTextFirmwareVerifying, kTextFirmwareCurrent}));
  EXPECT_EQ(rig.boot.Flash(kAppFlashAddress, app.size()), app);
}

TEST(FirmwareUpdate, SystemRegionIsRewrittenWholeOnlyWhenTheWindowDiffersInThreePasses) {
  const auto app = MakeAppImage(1000, 3);
  const auto system = MakeSystemImage(2);
  for (int badReads : {1, 2}) {
    // The first passes see a bad byte in block 512; the next one matches: nothing is written.
    SCOPED_TRACE(badReads);
    FirmwareRig rig({.system = system});
    rig.boot.CorruptReadsAt(0x10000 + 7, badReads);
    EXPECT_EQ(rig.Run(app, system), FirmwareResult::kUpdated);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kTransfer, false, 0x10000, 0x11000), badReads + 32);
    EXPECT_EQ(rig.boot.Counts().unlocks, 0);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kTransfer, true, 0, kSystemWriteSize), 0);
  }
  {
    // Block 543 (0x10F80..0x10FFF, the window's last) differs in all three passes: the whole
    // region is erased, written and verified.
    FirmwareRig rig({.system = system});
    rig.boot.CorruptReadsAt(0x10FFF, 3);
    EXPECT_EQ(rig.Run(app, system), FirmwareResult::kUpdated);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kTransfer, false, 0x10000, 0x11000), 3 * 32 + 32);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kTransfer, false, 0, kSystemWriteSize), 3 * 32 + 1376);
    EXPECT_EQ(rig.boot.Counts().unlocks, 1);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kEraseSector, false, 0, kSystemWriteSize), 43);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kTransfer, true, 0, kSystemWriteSize), 1376);
    ASSERT_EQ(rig.ui.steps.size(), 1419u + 1376u);
    EXPECT_EQ(rig.ui.steps.front(), std::make_tuple(kTextSystemUpdating, 1, 1419));
    EXPECT_EQ(rig.ui.steps[1419], std::make_tuple(kTextSystemVerifying, 1, 1376));
  }
}

// A system region that differs from the image only outside the window, and not by erased flash,
// holds another build of the system or data of the unit: it is the bootloader the mouse runs, and
// an update never erases or writes it.
TEST(FirmwareUpdate, SystemRegionThatDiffersOutsideTheWindowIsLeftAsItIs) {
  const auto app = MakeAppImage(1000, 3);
  const auto system = MakeSystemImage(2);
  const auto other = MakeSystemImage(1);
  auto block = [](std::vector<std::uint8_t>& flash, std::uint32_t address, std::uint8_t fill) {
    std::fill_n(flash.begin() + address, 128, fill);
  };
  const struct {
    const char* name;
    std::function<void(std::vector<std::uint8_t>& flash, std::vector<std::uint8_t>& image)> change;
  } cases[] = {
      {"one foreign block in sector 0", [&](auto& flash, auto&) { block(flash, 0x80, 0x5A); }},
      {"one block of zeros at the region's end", [&](auto& flash, auto&) { block(flash, 0x2AF80, 0x00); }},
      {"one block that is erased but for a byte",
       [&](auto& flash, auto&) {
         block(flash, 0x20000, 0xFF);
         flash[0x2007F] = 0xFE;
       }},
      {"another build everywhere but the window",
       [&](auto& flash, auto&) {
         std::copy(other.begin(), other.begin() + 0x10000, flash.begin());
         std::copy(other.begin() + 0x11000, other.begin() + 0x2B000, flash.begin() + 0x11000);
       }},
      {"erased where the image is erased too, and a foreign block",
       [&](auto& flash, auto& image) {
         block(image, 0x8000, 0xFF);
         block(flash, 0x8000, 0xFF);
         block(flash, 0x8080, 0x11);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto flash = system;
    auto image = system;
    c.change(flash, image);
    FirmwareRig rig({.system = flash});
    EXPECT_EQ(rig.Run(app, image), FirmwareResult::kUpdated);
    EXPECT_EQ(rig.boot.Counts().unlocks, 0);
    EXPECT_EQ(rig.boot.Counts().sectorErases, 0);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kEraseSector, false, 0, 0x1000000), 0);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kTransfer, true, 0, kSystemWriteSize), 0);
    EXPECT_EQ(rig.boot.Flash(0, kSystemWriteSize), std::vector<std::uint8_t>(flash.begin(), flash.begin() + kSystemWriteSize));
    EXPECT_TRUE(rig.ui.steps.empty());
    // The application is updated as always.
    EXPECT_EQ(rig.boot.Flash(kAppFlashAddress, app.size()), app);
  }
}

// A rewrite cut off leaves erased flash from where it stopped: in its erase (whole sectors from
// the first) or in its writes (the blocks after the last one taken). The next run goes on from
// the sector of the first erased block and leaves what lies before it as it is; a window left
// erased (or old) is an old system, rewritten whole.
TEST(FirmwareUpdate, SystemRegionLeftHalfWrittenIsCompletedFromItsFirstErasedBlock) {
  const auto app = MakeAppImage(1000, 3);
  const auto system = MakeSystemImage(2);
  const auto old = MakeSystemImage(1);
  auto erase = [](std::vector<std::uint8_t>& flash, std::uint32_t from, std::uint32_t to) {
    std::fill(flash.begin() + from, flash.begin() + to, std::uint8_t{0xFF});
  };
  const struct {
    const char* name;
    std::function<std::vector<std::uint8_t>()> flash;
    int firstSector;  // where the rewrite starts
  } cases[] = {
      {"whole rewrite cut in its erase before the window",
       [&] {
         auto f = old;
         erase(f, 0, 0x6000);
         return f;
       },
       0},
      {"whole rewrite cut in its writes before the window (the window is erased)",
       [&] {
         auto f = system;
         erase(f, 0x3080, 0x2B000);
         return f;
       },
       0},
      {"whole rewrite cut in its writes inside the window",
       [&] {
         auto f = system;
         erase(f, 0x10400, 0x2B000);
         return f;
       },
       0},
      {"whole rewrite cut in its writes after the window",
       [&] {
         auto f = system;
         erase(f, 0x15E80, 0x2B000);
         return f;
       },
       0x15},
      {"rewrite from sector 20 cut in its erase, a foreign block before it",
       [&] {
         auto f = system;
         std::fill_n(f.begin() + 0x2000, 128, std::uint8_t{0x3C});
         erase(f, 0x14000, 0x1A000);
         std::copy(old.begin() + 0x1A000, old.begin() + 0x2B000, f.begin() + 0x1A000);
         return f;
       },
       0x14},
      {"last block not written",
       [&] {
         auto f = system;
         erase(f, 0x2AF80, 0x2B000);
         return f;
       },
       42},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto flash = c.flash();
    FirmwareRig rig({.system = flash});
    EXPECT_EQ(rig.Run(app, system), FirmwareResult::kUpdated);
    const std::uint32_t start = static_cast<std::uint32_t>(c.firstSector) * 0x1000;
    EXPECT_EQ(rig.boot.Counts().unlocks, 1);
    EXPECT_EQ(rig.boot.Counts().locks, 1);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kEraseSector, false, 0, start), 0);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kEraseSector, false, start, kSystemWriteSize), 43 - c.firstSector);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kTransfer, true, 0, start), 0);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kTransfer, true, start, kSystemWriteSize),
              static_cast<int>((kSystemWriteSize - start) / 128));
    // Before the start the flash is as it was; from it on it holds the image.
    EXPECT_EQ(rig.boot.Flash(0, start), std::vector<std::uint8_t>(flash.begin(), flash.begin() + start));
    EXPECT_EQ(rig.boot.Flash(start, kSystemWriteSize - start),
              std::vector<std::uint8_t>(system.begin() + start, system.begin() + kSystemWriteSize));
    // The steps keep the numbers of a whole rewrite; only the rewritten blocks are verified.
    ASSERT_FALSE(rig.ui.steps.empty());
    EXPECT_EQ(rig.ui.steps.front(), std::make_tuple(kTextSystemUpdating, c.firstSector + 1, 1419));
    EXPECT_EQ(rig.ui.steps.back(), std::make_tuple(kTextSystemVerifying, 1376, 1376));
    EXPECT_EQ(std::count_if(rig.ui.steps.begin(), rig.ui.steps.end(),
                            [](const auto& s) { return std::get<0>(s) == kTextSystemVerifying; }),
              1376 - 32 * c.firstSector);
    EXPECT_EQ(rig.boot.Flash(kAppFlashAddress, app.size()), app);
  }
}

TEST(FirmwareUpdate, FailedSendsOfABlockAreRetriedUpToFourTimes) {
  const auto app = MakeAppImage(1000, 3);
  const auto system = MakeSystemImage(2);
  FirmwareRig rig({.system = system});
  rig.boot.FailNextWrites(3);

  EXPECT_EQ(rig.Run(app, system), FirmwareResult::kUpdated);
  const auto reports = rig.boot.Reports();
  const auto first = std::find_if(reports.begin(), reports.end(), [](const BootloaderReport& r) { return r[1] != 0; });
  ASSERT_LE(first + 4, reports.end());
  EXPECT_EQ((*first)[7], 0x00);
  for (int i = 1; i < 4; ++i) EXPECT_EQ(first[i], first[0]);
  EXPECT_NE(first[4], first[0]);
  EXPECT_EQ(rig.boot.Flash(kAppFlashAddress, app.size()), app);
}

TEST(FirmwareUpdate, WaitsAddUpToTheProtocolPauses) {
  // 32 full blocks, system current, no application yet:
  //   header read 5 + 5, comparison of the region 1376 x (5 + 5), read of 0x52000 5,
  //   writes 32 x 40, verify 32 x (5 + 5), finish 100, countdown 21 x 1000, header read 5 + 5
  //   = 36485 ms;
  // each failed send of a block adds 100 ms before the next.
  const auto app = MakeAppImage(4096, 3);
  const auto system = MakeSystemImage(2);
  for (int failures : {0, 3}) {
    SCOPED_TRACE(failures);
    FirmwareRig rig({.system = system});
    rig.boot.FailNextWrites(failures);
    EXPECT_EQ(rig.Run(app, system), FirmwareResult::kUpdated);
    EXPECT_EQ(rig.clock.Now().count(), 36485 + 100 * failures);
  }
  // Rewriting the system region first: three reads of the window's first block 3 x 10, unlock 100,
  // 43 erases x 200, 1376 writes x 40, lock 100, verify 1376 x (5 + 5) more, less the full
  // comparison above.
  FirmwareRig rig({.system = MakeSystemImage(1)});
  EXPECT_EQ(rig.Run(app, system), FirmwareResult::kUpdated);
  EXPECT_EQ(rig.clock.Now().count(), 36485 - 13760 + 30 + 100 + 43 * 200 + 1376 * 40 + 100 + 1376 * 10);
}

TEST(FirmwareUpdate, NothingIsWrittenWhenTheMouseIsCurrentOrNotAsked) {
  const auto app = MakeAppImage(2000, 3);
  const auto system = MakeSystemImage(2);
  const struct {
    const char* name;
    bool mouseHoldsApp;
    DeviceFirmwareFacts facts;
    FirmwareResult result;
    int text;
    std::size_t reports;
  } cases[] = {
      {"same checksum", true, {0x0102, 0, 0}, FirmwareResult::kCurrent, kTextFirmwareCurrent, 1},
      {"skip A", false, {0x0102, 1, 0}, FirmwareResult::kCurrent, kTextFirmwareCurrent, 1},
      {"skip B", false, {0x0102, 0, 7}, FirmwareResult::kCurrent, kTextFirmwareCurrent, 1},
      {"other version", false, {0x0201, 0, 0}, FirmwareResult::kNotSupported, kTextFirmwareNotSupported, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FirmwareRig rig({.system = MakeSystemImage(1),
                     .application = c.mouseHoldsApp ? app : MakeAppImage(3000, 4)});
    EXPECT_EQ(rig.Run(app, system, c.facts), c.result);
    EXPECT_EQ(rig.boot.Reports().size(), c.reports);
    EXPECT_EQ(rig.ui.texts, std::vector<int>{c.text});
    EXPECT_EQ(rig.ui.deviceCleared, c.result == FirmwareResult::kNotSupported);
    EXPECT_FALSE(rig.ui.progressShown);
  }
}

TEST(FirmwareUpdate, UnusableImagesStopBeforeAnyWrite) {
  const auto system = MakeSystemImage(2);
  {
    FirmwareRig rig({.system = MakeSystemImage(1)});
    EXPECT_EQ(rig.Run(std::vector<std::uint8_t>(kAppImageMaxSize + 1, 0), system), FirmwareResult::kAppImageError);
    EXPECT_EQ(rig.Run(std::vector<std::uint8_t>(8, 0), system), FirmwareResult::kAppImageError);
    EXPECT_TRUE(rig.boot.Reports().empty());
  }
  {
    // A system image that cannot cover the region it must rewrite.
    FirmwareRig rig({.system = MakeSystemImage(1)});
    EXPECT_EQ(rig.Run(MakeAppImage(2000, 3), std::vector<std::uint8_t>(system.begin(), system.begin() + 0x2AFFF)),
              FirmwareResult::kSystemImageError);
    EXPECT_EQ(rig.boot.Reports().size(), 1u);  // the header read only
    EXPECT_EQ(rig.ui.texts, std::vector<int>{kTextFirmwareUpdateFailed});
  }
}

TEST(FirmwareUpdate, EachFailureEndsCleanlyWithItsResult) {
  const auto app = MakeAppImage(kOddAppSize, 3);
  const auto system = MakeSystemImage(2);
  const struct {
    const char* name;
    bool systemMatches;
    bool unplugs;  // the user pulled the cable: then the program ends with its last link, as always
    std::function<void(FirmwareRig&)> fault;
    FirmwareResult result;
    int text;
  } cases[] = {
      {"no answer", false, false, [](FirmwareRig& r) { r.boot.SetSilent(true); }, FirmwareResult::kNoAnswer,
       kTextFirmwareUpdateFailed},
      {"system block never taken", false, false, [](FirmwareRig& r) { r.boot.FailNextWrites(4); },
       FirmwareResult::kSystemWriteFailed, kTextSystemWriteFailed},
      {"system reads back wrong", false, false, [](FirmwareRig& r) { r.boot.CorruptReadsAt(0x20000); },
       FirmwareResult::kSystemVerifyFailed, kTextSystemVerifyFailed},
      {"application block never taken", true, false, [](FirmwareRig& r) { r.boot.FailNextWrites(4); },
       FirmwareResult::kAppWriteFailed, kTextFirmwareWriteFailed},
      {"unplugged while writing", true, true, [](FirmwareRig& r) { r.boot.UnplugAfterWrites(100); },
       FirmwareResult::kAppWriteFailed, kTextFirmwareWriteFailed},
      {"unplugged before the last block", true, true, [](FirmwareRig& r) { r.boot.UnplugAfterWrites(793); },
       FirmwareResult::kAppLastBlockFailed, kTextFirmwareLastBlockFailed},
      {"application reads back wrong", true, false, [](FirmwareRig& r) { r.boot.CorruptReadsAt(kAppFlashAddress + 5000); },
       FirmwareResult::kAppVerifyFailed, kTextFirmwareChecksumFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FirmwareRig rig({.system = c.systemMatches ? system : MakeSystemImage(1), .application = MakeAppImage(3000, 4)});
    c.fault(rig);
    EXPECT_EQ(rig.Run(app, system), c.result);
    ASSERT_FALSE(rig.ui.texts.empty());
    EXPECT_EQ(rig.ui.texts.back(), c.text);
    EXPECT_EQ(rig.boot.Counts().restarts, 0);
    EXPECT_EQ(rig.ui.restarting, 0);
    EXPECT_FALSE(rig.boot.Unlocked());  // the system region is never left open
    EXPECT_EQ(rig.programEnded, c.unplugs);
  }
}

TEST(FirmwareUpdate, SilentMouseIsNeitherErasedNorWritten) {
  FirmwareRig rig({.system = MakeSystemImage(1), .application = MakeAppImage(3000, 4)});
  rig.boot.SetSilent(true);
  EXPECT_EQ(rig.Run(MakeAppImage(2000, 3), MakeSystemImage(2)), FirmwareResult::kNoAnswer);
  // Only the header read, with its retries.
  EXPECT_EQ(rig.boot.Reports().size(), static_cast<std::size_t>(kBootloaderReadAttempts));
}

TEST(FirmwareUpdate, ApplicationThatReadsBackWrongIsErasedAgain) {
  const auto system = MakeSystemImage(2);
  FirmwareRig rig({.system = system, .application = MakeAppImage(3000, 4)});
  rig.boot.CorruptReadsAt(kAppFlashAddress + 5000);
  EXPECT_EQ(rig.Run(MakeAppImage(kOddAppSize, 3), system), FirmwareResult::kAppVerifyFailed);
  EXPECT_EQ(rig.boot.Counts().appErases, 2);
  EXPECT_FALSE(rig.boot.ApplicationFinished());
  EXPECT_EQ(rig.boot.Flash(kAppFlashAddress, 16), std::vector<std::uint8_t>(16, 0xFF));
  EXPECT_EQ(rig.CountReports(BootloaderOp::kFinish, false, 0, 0x1000000), 0);
}

TEST(FirmwareUpdate, MouseThatDoesNotComeBackIsReportedAsFailed) {
  const auto app = MakeAppImage(2000, 3);
  const auto system = MakeSystemImage(2);
  FirmwareRig rig({.system = system, .restartDelay = Millis(60000)});
  EXPECT_EQ(rig.Run(app, system), FirmwareResult::kRestartMismatch);
  EXPECT_EQ(rig.ui.texts.back(), kTextFirmwareUpdateFailed);
  EXPECT_EQ(rig.boot.Counts().restarts, 1);
  // The update flag kept the program alive through the removal, which then cleared it.
  EXPECT_FALSE(rig.programEnded);
  EXPECT_FALSE(rig.links.AnyLinkPresent());
  EXPECT_FALSE(rig.links.FirmwareUpdateInProgress());
}

// ---- an update cut off, and a mouse whose reads fail ----

// The mouse holds the new system region and application and has started it.
void ExpectNewFirmwareRunning(const FirmwareRig& rig, const std::vector<std::uint8_t>& app,
                              const std::vector<std::uint8_t>& system) {
  EXPECT_EQ(rig.boot.Flash(0, kSystemWriteSize), std::vector<std::uint8_t>(system.begin(), system.begin() + kSystemWriteSize));
  EXPECT_EQ(rig.boot.Flash(kAppFlashAddress, app.size()), app);
  EXPECT_TRUE(rig.boot.ApplicationFinished());
  EXPECT_EQ(rig.boot.DeviceChecksum(), HeaderChecksum(app));
  EXPECT_EQ(rig.boot.Counts().restarts, 1);
  EXPECT_TRUE(rig.links.State(LinkKind::Wired).present);
}

// An update cut off at any block of the system region or of the application, in turn by a
// pulled cable (the mouse loses power with it) and by a mouse that stops taking writes: the flash
// keeps what was written, the mouse comes back on the cable, and the next run finds where the
// flash stops matching, completes the update and starts the new application. Every block write is
// a cut point; the points are split into ranges so that each test stays short.
constexpr int kCutAppBlocks = 33;  // the application image below: 32 full blocks and a short one
constexpr int kCutPoints = kSystemBlockCount + kCutAppBlocks;
constexpr int kCutRanges = 8;

class FirmwareCutTest : public testing::TestWithParam<int> {};

TEST_P(FirmwareCutTest, UpdateCutAtAnyBlockIsCompletedByTheNextRun) {
  const auto app = MakeAppImage(32 * 128 + 64, 3);
  const auto system = MakeSystemImage(2);
  const auto oldApp = MakeAppImage(3000, 4);
  const auto oldSystem = MakeSystemImage(1);
  // `lost`: the first block write (counted from 1) that does not reach the flash.
  const int first = 1 + GetParam() * kCutPoints / kCutRanges;
  const int last = (GetParam() + 1) * kCutPoints / kCutRanges;
  int exercised = 0;
  for (int lost = first; lost <= last; ++lost) {
    const bool cablePulled = lost % 2 == 0;
    SCOPED_TRACE(testing::Message() << (cablePulled ? "cable pulled" : "writes refused") << " at block write " << lost);
    FirmwareRig rig({.system = oldSystem, .application = oldApp});
    if (cablePulled) {
      rig.boot.UnplugAfterWrites(lost - 1);
    } else {
      rig.boot.FailWritesAfter(lost - 1);
    }
    ASSERT_NE(rig.Run(app, system), FirmwareResult::kUpdated);
    ASSERT_EQ(rig.boot.Counts().restarts, 0);
    // The user plugs the cable in again; the window sees the mouse arrive.
    rig.boot.PowerUpOnCable();
    rig.links.OnDeviceChange(static_cast<std::uint32_t>(DeviceEvent::kArrival));
    ASSERT_TRUE(rig.links.State(LinkKind::Wired).present);
    ASSERT_EQ(rig.Run(app, system), FirmwareResult::kUpdated);
    ExpectNewFirmwareRunning(rig, app, system);
    if (HasFailure()) return;
    ++exercised;
  }
  RecordProperty("cut_points", exercised);
  std::printf("cut points exercised: block writes %d..%d of %d (%d system, %d application blocks)\n", first, last,
              kCutPoints, kSystemBlockCount, kCutAppBlocks);
}

INSTANTIATE_TEST_SUITE_P(BlockRanges, FirmwareCutTest, testing::Range(0, kCutRanges));

// A fetch of an answer that fails (HidD_GetFeature returning FALSE, the buffer holding what an
// earlier answer left there) is a failed read: it is asked again, and what the buffer held is
// never compared. Here the mouse already holds the system region, so a stale buffer taken as an
// answer would show as a difference and a needless rewrite.
TEST(FirmwareUpdate, FailedFetchesAreReadAgainAndNeverComparedAsStaleData) {
  const auto app = MakeAppImage(4096 + 64, 3);
  const auto system = MakeSystemImage(2);
  // Fetches of a run without faults: 0 the header, 1..1376 the comparison, 1377 the application's
  // first block, 1378..1410 its verification, 1411 the header after the restart.
  constexpr int kFirstVerifyFetch = 1378;
  const struct {
    const char* name;
    std::function<bool(int)> fails;
    FirmwareResult result;
  } cases[] = {
      {"every other fetch fails", [](int n) { return n % 2 == 0; }, FirmwareResult::kUpdated},
      {"two of three fetches fail", [](int n) { return n % 3 != 2; }, FirmwareResult::kUpdated},
      {"no fetch answers after the header", [](int n) { return n >= 1; }, FirmwareResult::kNoAnswer},
      {"no fetch answers in the verification",
       [](int n) { return n >= kFirstVerifyFetch && n < kFirstVerifyFetch + 100; }, FirmwareResult::kAppVerifyFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FirmwareRig rig({.system = system, .application = MakeAppImage(3000, 4)});
    rig.boot.FailFetches(c.fails);
    EXPECT_EQ(rig.Run(app, system), c.result);
    // The system region was never erased nor written.
    EXPECT_EQ(rig.boot.Counts().unlocks, 0);
    EXPECT_EQ(rig.CountReports(BootloaderOp::kTransfer, true, 0, kSystemWriteSize), 0);
    EXPECT_EQ(rig.boot.Flash(0, kSystemWriteSize), std::vector<std::uint8_t>(system.begin(), system.begin() + kSystemWriteSize));
    if (c.result == FirmwareResult::kUpdated) {
      ExpectNewFirmwareRunning(rig, app, system);
    } else {
      EXPECT_EQ(rig.ui.texts.back(),
                c.result == FirmwareResult::kNoAnswer ? kTextFirmwareUpdateFailed : kTextFirmwareChecksumFailed);
      EXPECT_EQ(rig.boot.Counts().finishes, 0);
      EXPECT_EQ(rig.boot.Counts().restarts, 0);
      // Stopped before the application (the old one stays), or after erasing it again.
      EXPECT_EQ(rig.boot.ApplicationFinished(), c.result == FirmwareResult::kNoAnswer);
    }
  }
}

// The update's waits handle window messages; a deferred upload handled there finds the link busy
// every time, puts nothing between the update's reports and loses nothing: the edit made meanwhile
// goes out with the first upload after the update.
TEST(FirmwareUpdate, UploadsAskedForInsideItsWaitsAreRefusedAndTheEditGoesOutAfterIt) {
  const auto app = MakeAppImage(1000, 3);
  const auto system = MakeSystemImage(2);
  FirmwareRig quiet({.system = system});
  ASSERT_EQ(quiet.Run(app, system), FirmwareResult::kUpdated);

  FirmwareRig rig({.system = system});
  const auto model = std::make_unique<SettingsModel>();
  BuildSensorDpiTables(model->sensor);
  ProfileRecord record;
  ResetProfile(record, 0, model->texts, model->sensor.id);
  MappingUploadSteps noMapping;
  ConfigUpload upload(rig.transport, noMapping, model->sensor);
  test::FakeUploadHost host;
  ASSERT_TRUE(upload.PrimeShadows(record));

  std::vector<UploadResult> asked;
  const std::function<void()> pump = rig.clock.afterWait;
  rig.clock.afterWait = [&] {
    pump();
    if (asked.empty()) {
      SetPowerDownTime(record, 5);
      upload.Dirty().PowerDirty = true;
    }
    asked.push_back(upload.UploadPendingChanges(record, true, host));
  };
  EXPECT_EQ(rig.Run(app, system), FirmwareResult::kUpdated);
  rig.clock.afterWait = pump;

  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(std::count(asked.begin(), asked.end(), UploadResult::kBusy), static_cast<long>(asked.size()));
  EXPECT_EQ(rig.boot.Reports(), quiet.boot.Reports());
  EXPECT_EQ(rig.mouse.SentReports(), quiet.mouse.SentReports());
  EXPECT_EQ(rig.clock.Now(), quiet.clock.Now());
  EXPECT_EQ(host.notices + host.progress + host.saveTimers + host.refreshes, 0);
  EXPECT_TRUE(upload.Dirty().PowerDirty);

  EXPECT_EQ(upload.UploadPendingChanges(record, true, host), UploadResult::kDone);
  EXPECT_EQ(rig.mouse.State().power[0], 5);
  EXPECT_FALSE(upload.Dirty().Any());
}

}  // namespace
}  // namespace gm
