// Handing back a thread's unused stack pages: the pages the thread went through deep below its
// frame leave the working set, and the stack stays whole (the thread can go as deep again and
// finds its own writes).
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <thread>
#include <vector>

#include "device/thread_stack.h"

namespace {

constexpr int kFrameBytes = 8 * 1024;
constexpr int kDepth = 64;  // 512 KiB below the caller

// Goes `depth` frames down, each filled with a pattern of its own, and returns the sum of all
// frames' bytes read back on the way up. `deepest` receives an address in the lowest frame.
__attribute__((noinline)) std::uint64_t GoDeep(int depth, volatile char** deepest) {
  volatile char frame[kFrameBytes];
  for (int i = 0; i < kFrameBytes; ++i) frame[i] = static_cast<char>(depth + i);
  std::uint64_t below = 0;
  if (depth > 1) {
    below = GoDeep(depth - 1, deepest);
  } else {
    *deepest = frame;
  }
  std::uint64_t sum = below;
  for (int i = 0; i < kFrameBytes; ++i) sum += static_cast<unsigned char>(frame[i]);
  return sum;
}

// Whether the page holding `address` is in the process's working set (resident); nothing when
// the system cannot tell.
std::optional<bool> Resident(const volatile void* address) {
  PSAPI_WORKING_SET_EX_INFORMATION info{};
  info.VirtualAddress = const_cast<void*>(address);
  if (!QueryWorkingSetEx(GetCurrentProcess(), &info, sizeof(info))) return std::nullopt;
  return info.VirtualAttributes.Valid != 0;
}

TEST(ThreadStack, PagesGoneThroughBelowTheFrameLeaveTheWorkingSetAndStayUsable) {
  std::uint64_t firstSum = 0, secondSum = 0;
  std::optional<bool> residentBefore, residentAfter;
  std::thread t([&] {
    volatile char* deepest = nullptr;
    firstSum = GoDeep(kDepth, &deepest);
    residentBefore = Resident(deepest);
    gm::ReturnUnusedStackPages();
    residentAfter = Resident(deepest);
    secondSum = GoDeep(kDepth, &deepest);
  });
  t.join();
  EXPECT_NE(firstSum, 0u);
  EXPECT_EQ(secondSum, firstSum);
  ASSERT_TRUE(residentBefore.has_value() && residentAfter.has_value()) << "working set not readable";
  EXPECT_TRUE(*residentBefore);
  EXPECT_FALSE(*residentAfter);
}

// The frames just below the caller (its everyday depth) stay resident.
TEST(ThreadStack, TheDepthJustBelowTheCallerIsKept) {
  std::optional<bool> nearAfter;
  std::thread t([&] {
    volatile char* deepest = nullptr;
    GoDeep(kDepth, &deepest);
    volatile char here = 0;
    const volatile char* justBelow = &here - gm::kStackKeptBelowCaller / 2;
    gm::ReturnUnusedStackPages();
    nearAfter = Resident(justBelow);
  });
  t.join();
  ASSERT_TRUE(nearAfter.has_value());
  EXPECT_TRUE(*nearAfter);
}

}  // namespace
