// The Win32 handle owners with real handles: a handle given back to the owner that holds it stays
// open; what an owner holds is closed when it goes.
#include <gtest/gtest.h>

#include "ui/gdi_handles.h"
#include "ui/win_handle.h"

namespace {

bool IsOpenHandle(HANDLE h) {
  DWORD flags = 0;
  return GetHandleInformation(h, &flags) != FALSE;
}

TEST(WinHandle, KernelHandleResetWithItselfStaysOpenUntilItsOwnerGoes) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  {
    gm::win::ScopedHandle owner(event);
    owner.Reset(event);
    EXPECT_EQ(owner.Get(), event);
    EXPECT_TRUE(IsOpenHandle(event));
    EXPECT_TRUE(SetEvent(owner.Get()));
    EXPECT_EQ(WaitForSingleObject(owner.Get(), 0), WAIT_OBJECT_0);
  }
  EXPECT_FALSE(IsOpenHandle(event));
}

TEST(WinHandle, KernelHandleOwnerHoldsAFailedOpenAsEmpty) {
  gm::win::ScopedHandle file(CreateFileW(L"Z:\\no\\such\\folder\\file.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_FALSE(file);
  EXPECT_EQ(file.Get(), nullptr);
}

TEST(WinHandle, GdiObjectAndMemoryContextAreDeletedByTheirOwners) {
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  ASSERT_NE(brush, nullptr);
  HDC dc = nullptr;
  {
    gm::win::ScopedBrush owner(brush);
    owner.Reset(brush);
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    const gm::win::ScopedDC memory = gm::win::CreateMemoryDC(nullptr);
    ASSERT_TRUE(memory);
    dc = memory.Get();
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
  }
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(GetObjectType(dc), 0u);
}

}  // namespace
