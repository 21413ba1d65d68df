// The udev rule that opens the mouse's hidraw nodes to the logged-in user matches the HID device
// names of every link the program knows, over USB and Bluetooth, and nothing else of the vendor.
#include <fnmatch.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <string>

#include "device/link.h"

namespace {

std::string KernelsPattern() {
  std::ifstream in(std::string(GM_SOURCE_ROOT) + "/tools/gmctl/70-gamingmouse.rules");
  std::string line;
  const std::regex rule(R"re(^SUBSYSTEM=="hidraw", KERNELS=="([^"]+)", TAG\+="uaccess"$)re");
  std::smatch m;
  while (std::getline(in, line)) {
    if (std::regex_match(line, m, rule)) return m[1];
  }
  return {};
}

std::string HidDeviceName(unsigned bus, unsigned product) {
  char name[32];
  std::snprintf(name, sizeof name, "%04X:%04X:%04X.000B", bus, gm::kMouseVendorId, product);
  return name;
}

}  // namespace

TEST(UdevRule, MatchesEveryLinkOverUsbAndBluetoothOnly) {
  const std::string pattern = KernelsPattern();
  ASSERT_FALSE(pattern.empty()) << "no uaccess rule for hidraw";
  for (gm::LinkKind link : gm::kAllLinks) {
    for (unsigned bus : {0x0003u, 0x0005u}) {
      const std::string name = HidDeviceName(bus, gm::ProductIdOf(link));
      EXPECT_EQ(fnmatch(pattern.c_str(), name.c_str(), 0), 0) << name;
    }
  }
  EXPECT_NE(fnmatch(pattern.c_str(), HidDeviceName(0x0003, 0x3195).c_str(), 0), 0);  // the vendor's touchpad
  EXPECT_NE(fnmatch(pattern.c_str(), "0003:046D:026E.0001", 0), 0);               // another vendor
}
