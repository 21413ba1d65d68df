// Discovery and the upload driver over the real setupapi / hid.dll enumeration of the machine
// (under Wine: no HID devices at all).
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "device/device_session.h"
#include "device/win32/win32_hid.h"
#include "tests/core/device/fake_device_host.h"

namespace gm {
namespace {

class HiddenUploadHost : public UploadHost {
 public:
  bool WindowShown() const override { return true; }
  void ShowNoLinkNotice() override { ++notices; }
  void ShowSendProgress() override {}
  void RestartSaveTimer() override {}
  void Refresh() override {}
  int notices = 0;
};

TEST(Win32Discovery, ScanOfTheRealEnumerationFindsNoMouseWithoutError) {
  win::Win32Hid hid;
  VirtualClock clock;
  test::FakeDeviceHost host;
  const auto model = std::make_unique<SettingsModel>();
  MacroLibrary library;
  DeviceSession session(hid, clock, host, *model, library);
  session.Links().ScanDevices();
  EXPECT_EQ(host.scanSteps, 1);
  EXPECT_FALSE(session.Links().AnyLinkPresent());
  for (LinkKind link : kAllLinks) {
    EXPECT_EQ(session.Links().ControlHandle(link), kNoHandle);
    EXPECT_FALSE(session.Workers().Running(link));
  }
  EXPECT_FALSE(session.ReadStatusReport().valid);

  HiddenUploadHost uploadHost;
  ProfileRecord record;
  session.Upload().Dirty().DeviceSettingsDirty = true;
  EXPECT_EQ(session.Upload().UploadPendingChanges(record, false, uploadHost), UploadResult::kNoLink);
  EXPECT_EQ(uploadHost.notices, 1);
  EXPECT_EQ(clock.Now(), Millis(0));
}

TEST(Win32Discovery, EveryEnumeratedPathOpensAndClosesCleanly) {
  win::Win32Hid hid;
  for (std::uint32_t i = 0; i < 150; ++i) {
    auto path = hid.InterfacePath(i);
    if (!path) continue;
    HidHandle h = hid.Open(*path, HidOpenMode::kControl);
    HidAttributes a;
    HidCaps c;
    if (h != kNoHandle) {
      hid.GetAttributes(h, a);
      hid.GetCaps(h, c);
    }
    hid.Close(h);
  }
  EXPECT_EQ(hid.Open(L"\\\\?\\hid#no_such_device", HidOpenMode::kControl), kNoHandle);
  std::uint8_t buffer[32] = {6};
  EXPECT_FALSE(hid.GetFeature(12345, buffer));
  EXPECT_FALSE(hid.Read(12345, buffer));
}

}  // namespace
}  // namespace gm
