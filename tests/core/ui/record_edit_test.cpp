#include "ui/record_edit.h"

#include <gtest/gtest.h>

#include "settings/profile_record.h"

namespace {

// A profile as an assignment dialog would edit it: the button's name and function change.
void EditFirstButton(gm::ProfileRecord& p) {
  p.KeyAssignments[0].KeyName = L"Forward";
  p.KeyAssignments[0].KeyValue = {0x10, 0x10, 0x00};
}

gm::ProfileRecord Original() {
  gm::ProfileRecord p;
  p.KeyAssignments[0].KeyName = L"Left click";
  p.KeyAssignments[0].KeyValue = {0x10, 0x01, 0x00};
  return p;
}

}  // namespace

TEST(RecordEdit, OnlyAConfirmedDialogChangesTheRecord) {
  const struct {
    bool confirmed;
  } cases[] = {{false}, {true}};
  for (const auto& c : cases) {
    gm::ProfileRecord record = Original();
    gm::ui::RecordEdit<gm::ProfileRecord> edit(record);
    EditFirstButton(edit.Edited());
    EXPECT_TRUE(edit.Changed());
    EXPECT_EQ(record, Original()) << "the record changed while the dialog was open";
    edit.Finish(c.confirmed);
    gm::ProfileRecord expected = Original();
    if (c.confirmed) EditFirstButton(expected);
    EXPECT_EQ(record, expected) << c.confirmed;
    EXPECT_FALSE(edit.Changed()) << c.confirmed;
  }
}

TEST(RecordEdit, ACancelledEditStartsAgainFromTheRecord) {
  gm::ProfileRecord record = Original();
  gm::ui::RecordEdit<gm::ProfileRecord> edit(record);
  EditFirstButton(edit.Edited());
  edit.Cancel();
  EXPECT_EQ(edit.Edited(), Original());
  edit.Edited().KeyAssignments[1].KeyName = L"Back";
  edit.Confirm();
  EXPECT_EQ(record.KeyAssignments[0], Original().KeyAssignments[0]);  // the dropped edit stays dropped
  EXPECT_EQ(record.KeyAssignments[1].KeyName, L"Back");
}
