#include "device/hidapi/hidapi_hid.h"

#include <gtest/gtest.h>

#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "device/discovery.h"
#include "device/fake_device_host.h"

namespace gm::hidapi {
namespace {

// hidapi as a script: the enumeration it answers, the nodes it refuses, the reports it hands out;
// it records what it was asked.
class FakeCalls : public HidapiCalls {
 public:
  std::vector<DeviceEntry> Enumerate(std::uint16_t vendorId) override {
    enumeratedVendor = vendorId;
    return devices;  // unfiltered: the backend must not rely on hidapi's filter alone
  }
  DevicePtr OpenPath(const std::string& path, OpenError& error) override {
    opened.push_back(path);
    if (path == refusedPath) {
      error = OpenError::kPermission;
      return nullptr;
    }
    error = OpenError::kNone;
    return &opened;  // any non-null pointer
  }
  void Close(DevicePtr) override { ++closed; }
  int SendFeatureReport(DevicePtr, const std::uint8_t* data, std::size_t length) override {
    sent.assign(data, data + length);
    return sendResult < 0 ? sendResult : static_cast<int>(length) + sendResult;
  }
  int GetFeatureReport(DevicePtr, std::uint8_t* data, std::size_t length) override {
    askedId = data[0];
    askedLength = length;
    for (std::size_t i = 1; i < answer.size() && i < length; ++i) data[i] = answer[i];
    return answerLength;
  }
  int ReadTimeout(DevicePtr, std::uint8_t* data, std::size_t length, int) override {
    std::lock_guard lock(mutex);
    if (reads.empty()) return 0;  // the timeout passed without a report
    std::vector<std::uint8_t> r = reads.front();
    reads.pop_front();
    if (r.empty()) return -1;  // the device went away
    std::copy_n(r.begin(), std::min(r.size(), length), data);
    return static_cast<int>(r.size());
  }

  std::vector<DeviceEntry> devices;
  std::string refusedPath;
  std::uint16_t enumeratedVendor = 0;
  std::vector<std::string> opened;
  int closed = 0;
  int sendResult = 0;  // added to the length; negative: the call fails
  std::vector<std::uint8_t> sent;
  std::vector<std::uint8_t> answer;
  int answerLength = 0;
  std::uint8_t askedId = 0;
  std::size_t askedLength = 0;
  std::mutex mutex;
  std::deque<std::vector<std::uint8_t>> reads;
};

// The wired mouse on one hidraw node with its three top-level collections, behind a keyboard of
// another vendor and a touchpad of the mouse's vendor.
std::vector<DeviceEntry> WiredMouseAmongOthers() {
  return {
      {"/dev/hidraw0", 0x046D, 0xC31C, 0x0110, 0x0001, 0x06},  // keyboard, other vendor
      {"/dev/hidraw1", 0x04F3, 0x3195, 0x0100, 0x0001, 0x02},  // touchpad, same vendor
      {"/dev/hidraw2", 0x04F3, 0x026E, 0x0216, 0x0001, 0x02},  // the pointer
      {"/dev/hidraw2", 0x04F3, 0x026E, 0x0216, 0x000A, 0x01},  // control (feature reports)
      {"/dev/hidraw2", 0x04F3, 0x026E, 0x0216, 0xFF00, 0x01},  // input reports
  };
}

class RecordingStarter : public WorkerStarter {
 public:
  void StartWorker(LinkKind) override {}
};

struct Rig {
  Rig() { calls.devices = WiredMouseAmongOthers(); }
  HidHandle OpenMember(std::uint32_t index) {
    const auto path = hid.InterfacePath(index);
    return path ? hid.Open(*path, HidOpenMode::kControl) : kNoHandle;
  }
  FakeCalls calls;
  HidapiHid hid{calls};
};

TEST(HidapiHid, OnlyTheMouseLinksCollectionsAreMembersAndDiscoveryFindsThem) {
  Rig rig;
  test::FakeDeviceHost host;
  RecordingStarter starter;
  DeviceLinks links(rig.hid, host, starter);
  links.ScanDevices();

  EXPECT_EQ(rig.calls.enumeratedVendor, kMouseVendorId);
  ASSERT_TRUE(links.State(LinkKind::Wired).present);
  // Members: pointer 0, control 1, input 2; nothing else.
  EXPECT_EQ(links.State(LinkKind::Wired).controlIndex, 1u);
  EXPECT_EQ(links.State(LinkKind::Wired).inputIndex, 2u);
  EXPECT_EQ(links.WiredVersionNumber(), 0x0216);
  EXPECT_FALSE(rig.hid.InterfacePath(3).has_value());
  EXPECT_EQ(*rig.hid.InterfacePath(1), L"/dev/hidraw2#vid_04f3&pid_026e&up_000a&u_0001");
  // The other devices' nodes are never opened.
  for (const std::string& node : rig.calls.opened) EXPECT_EQ(node, "/dev/hidraw2");
  links.CloseAll();
}

TEST(HidapiHid, CapsAndAttributesComeFromTheMemberItWasOpenedAs) {
  Rig rig;
  struct Case {
    std::uint32_t member;
    std::uint16_t usagePage;
    std::uint16_t input;
    std::uint16_t feature;
  };
  const Case cases[] = {{0, 0x0001, 0, 0}, {1, 0x000A, 0, 33}, {2, 0xFF00, 32, 0}};
  for (const Case& c : cases) {
    const HidHandle h = rig.OpenMember(c.member);
    ASSERT_NE(h, kNoHandle) << c.member;
    HidCaps caps;
    HidAttributes attributes;
    ASSERT_TRUE(rig.hid.GetCaps(h, caps));
    ASSERT_TRUE(rig.hid.GetAttributes(h, attributes));
    EXPECT_EQ(caps.usagePage, c.usagePage);
    EXPECT_EQ(caps.inputReportByteLength, c.input) << c.member;
    EXPECT_EQ(caps.featureReportByteLength, c.feature) << c.member;
    EXPECT_EQ(attributes.productId, 0x026E);
    rig.hid.Close(h);
  }
  EXPECT_EQ(rig.calls.closed, 3);
  // A path of a collection that is gone (or never was) opens nothing.
  EXPECT_EQ(rig.hid.Open(L"/dev/hidraw2#vid_04f3&pid_026e&up_000b&u_0001", HidOpenMode::kControl), kNoHandle);
}

TEST(HidapiHid, FeatureReportsKeepTheReportIdByteAndTheWholeLength) {
  Rig rig;
  const HidHandle h = rig.OpenMember(1);
  std::vector<std::uint8_t> report(32, 0);
  report[0] = 0x05;
  report[1] = 0xA1;
  report[31] = 0x7E;
  EXPECT_TRUE(rig.hid.SetFeature(h, report));
  EXPECT_EQ(rig.calls.sent, report);  // id in byte 0, all 32 bytes, nothing added or dropped
  rig.calls.sendResult = -1;
  EXPECT_FALSE(rig.hid.SetFeature(h, report));
  rig.calls.sendResult = -2;  // fewer bytes went out than asked
  EXPECT_FALSE(rig.hid.SetFeature(h, report));

  // The device answers with 9 bytes: the rest of the buffer reads as zeros, as on Windows.
  std::vector<std::uint8_t> in(32, 0xEE);
  in[0] = 0x06;
  rig.calls.answer = {0x06, 1, 2, 3, 4, 5, 6, 7, 8};
  rig.calls.answerLength = 9;
  ASSERT_TRUE(rig.hid.GetFeature(h, in));
  EXPECT_EQ(rig.calls.askedId, 0x06);
  EXPECT_EQ(rig.calls.askedLength, 32u);
  EXPECT_EQ(in[8], 8);
  EXPECT_EQ(std::vector<std::uint8_t>(in.begin() + 9, in.end()), std::vector<std::uint8_t>(23, 0));
  rig.calls.answerLength = -1;
  EXPECT_FALSE(rig.hid.GetFeature(h, in));
  rig.hid.Close(h);
}

TEST(HidapiHid, ReadDeliversOnlyTheMembersReportsUntilTheDeviceGoesAway) {
  Rig rig;
  const HidHandle h = rig.OpenMember(2);
  std::vector<std::uint8_t> input(32, 0);
  input[0] = 0x04;
  input[5] = 0x33;
  rig.calls.reads = {std::vector<std::uint8_t>(8, 0x01), input, {}};  // a pointer report, ours, gone
  std::vector<std::uint8_t> buffer(32, 0xFF);
  ASSERT_TRUE(rig.hid.Read(h, buffer));
  EXPECT_EQ(buffer, input);
  EXPECT_FALSE(rig.hid.Read(h, buffer));
  rig.hid.Close(h);
}

TEST(HidapiHid, CancelReadEndsAReadThatWaitsForever) {
  Rig rig;
  const HidHandle h = rig.OpenMember(2);
  bool result = true;
  std::thread reader([&] {
    std::vector<std::uint8_t> buffer(32);
    result = rig.hid.Read(h, buffer);
  });
  rig.hid.CancelRead(h);
  reader.join();
  EXPECT_FALSE(result);
  rig.hid.Close(h);
}

TEST(HidapiHid, NodesThatRefuseForLackOfPermissionAreReported) {
  Rig rig;
  rig.calls.refusedPath = "/dev/hidraw2";
  EXPECT_EQ(rig.OpenMember(1), kNoHandle);
  EXPECT_EQ(rig.hid.RefusedNodes(), std::set<std::string>{"/dev/hidraw2"});
}

}  // namespace
}  // namespace gm::hidapi
