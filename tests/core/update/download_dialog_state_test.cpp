#include "update/download_dialog_state.h"

#include <gtest/gtest.h>

#include <vector>

#include "settings/temp_folder.h"
#include "update/fake_http_source.h"

namespace gm {
namespace {

DownloadResult Completed() {
  DownloadResult r;
  r.status = DownloadStatus::Complete;
  r.bytes = 100;
  return r;
}

TEST(DownloadDialogState, StartAnimateFinishEndsWithOk) {
  DownloadDialogState state;
  EXPECT_FALSE(state.Running());
  ASSERT_TRUE(state.OnStart());
  EXPECT_FALSE(state.OnStart());  // a second press starts nothing
  EXPECT_TRUE(state.Running());

  std::vector<int> texts;
  for (int second = 0; second < 7; ++second) texts.push_back(state.OnAnimationTick());
  EXPECT_EQ(texts, (std::vector<int>{337, 338, 336, 337, 338, 336, 337}));

  EXPECT_EQ(state.OnTransferFinished(Completed()), DialogEnd::None);
  EXPECT_FALSE(state.Running());
  EXPECT_EQ(state.OnFinishTimer(), DialogEnd::Ok);
  ASSERT_TRUE(state.Result());
  EXPECT_TRUE(state.Result()->ok());
}

TEST(DownloadDialogState, CloseBeforeStartCancelsAndNothingStarts) {
  DownloadDialogState state;
  EXPECT_EQ(state.OnClose(), DialogEnd::Cancel);
  EXPECT_FALSE(state.OnStart());
  EXPECT_FALSE(state.Started());
  EXPECT_FALSE(state.CancelFlag()->load());
}

// The dialog outlives its transfer thread: a close during the transfer stops it first.
TEST(DownloadDialogState, CloseDuringTransferStopsItThenCancels) {
  test::TempFolder dir;
  dir.WriteBytes("update.exe", "complete installer");
  gmtest::FakeHttpSource source;
  source.responses[L"http://127.0.0.1/i.exe"] =
      gmtest::FakeResponse{.body = std::string(9000, 'x')};

  DownloadDialogState state;
  ASSERT_TRUE(state.OnStart());
  DownloadOptions options;
  options.cancel = state.CancelFlag();
  options.progress = [&](std::uint64_t, std::optional<std::uint64_t>) {
    EXPECT_EQ(state.OnClose(), DialogEnd::None);  // pressed while the first chunk is written
  };
  const DownloadResult r =
      DownloadFile(source, dir.Program(L"update.exe"), L"http://127.0.0.1/i.exe", options);

  EXPECT_EQ(r.status, DownloadStatus::Cancelled);
  EXPECT_EQ(r.bytes, 4096u);
  EXPECT_EQ(state.OnTransferFinished(r), DialogEnd::Cancel);
  EXPECT_EQ(state.OnFinishTimer(), DialogEnd::Cancel);
  EXPECT_EQ(dir.ReadBytes("update.exe"), "complete installer");
}

TEST(DownloadDialogState, CloseAfterTheTransferCancelsWithoutStoppingAnything) {
  DownloadDialogState state;
  ASSERT_TRUE(state.OnStart());
  state.OnTransferFinished(Completed());
  EXPECT_EQ(state.OnClose(), DialogEnd::Cancel);
  EXPECT_FALSE(state.CancelFlag()->load());
}

}  // namespace
}  // namespace gm
