#include "app/profile_commands.h"

#include <commdlg.h>

#include "app/profile_operations.h"
#include "dialogs/attention_dlg.h"
#include "dialogs/profile_name_dlg.h"
#include "settings/language_indexes.h"
#include "settings/settings_store.h"
#include "ui/file_dialog.h"

namespace gm::win {
namespace {

// The filter "psf file(*.psf)|*.psf||" in the common dialogs' form: pairs of NUL-ended texts.
constexpr wchar_t kProfileFilter[] = L"psf file(*.psf)\0*.psf\0\0";

bool IsSlot(int slot) { return slot >= 0 && slot < kProfileCount; }

void ShowNotice(const ProfileCommandTarget& target, int text) {
  CAttentionDlg notice(target.ui, {}, target.ui.Text(text), target.owner);
  notice.DoModal();
}

// Carries out what an operation asked for: its notice, the save, the refresh.
void Finish(const ProfileCommandTarget& target, const ProfileOpResult& result) {
  if (result.notice >= 0) ShowNotice(target, result.notice);
  if (result.save) target.host.SaveAllSettings();
  if (result.refresh) target.host.RefreshFromProfile();
}

bool Applied(const ProfileOpResult& result) { return result.save || result.refresh; }

}  // namespace

std::optional<std::wstring> ShowProfileFileDialog(const ProfileFileRequest& request) {
  return ShowFileDialog({request.owner, request.save, request.title, kProfileFilter, L"psf", L".psf",
                         OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_READONLY});
}

bool ImportProfileCommand(const ProfileCommandTarget& target, int slot) {
  if (!IsSlot(slot)) return false;
  const auto path = target.host.ChooseProfileFile({target.owner, false, target.ui.Text(kTextImportProfileTitle)});
  if (!path) return false;
  const ProfileOpResult result = ImportIntoSlot(target.state, slot, *path);
  Finish(target, result);
  return Applied(result);
}

bool ExportProfileCommand(const ProfileCommandTarget& target, int slot) {
  if (!IsSlot(slot)) return false;
  const auto path = target.host.ChooseProfileFile({target.owner, true, target.ui.Text(kTextExportProfileTitle)});
  return path && ExportProfile(target.state, slot, *path);
}

bool RenameProfileCommand(const ProfileCommandTarget& target, int slot) {
  if (!IsSlot(slot)) return false;
  // Only the name goes back into the record: the mouse may have changed the rest of it (the stage,
  // the rate) while the dialog was open.
  std::wstring name = ProfileName(target.state.profiles[static_cast<std::size_t>(slot)]);
  CEditProfileDlg dialog(target.ui, target.owner, name);
  if (dialog.DoModal() != IDOK) return false;
  SetProfileName(target.state.profiles[static_cast<std::size_t>(slot)], std::move(name));
  Finish(target, kProfileOpSaveAndRefresh);
  return true;
}

bool RemoveProfileCommand(const ProfileCommandTarget& target, int slot) {
  const ProfileOpResult result = RemoveProfile(target.state, slot);
  Finish(target, result);
  return Applied(result);
}

bool AddProfileCommand(const ProfileCommandTarget& target) {
  const std::optional<int> slot = SlotForAdd(target.state.config);
  if (!slot) return false;
  std::wstring name;
  CAddProfileDlg dialog(target.ui, target.owner, name);
  if (dialog.DoModal() != IDOK) return false;
  const ProfileOpResult result = AddProfile(target.state, *slot, std::move(name));
  Finish(target, result);
  return Applied(result);
}

void ShowNoFreeProfileNotice(const ProfileCommandTarget& target) { ShowNotice(target, kTextNoFreeProfile); }

void RunProfileOperation(const ProfileCommandTarget& target, std::uint8_t code, int slot) {
  switch (static_cast<ProfileOp>(code)) {
    case ProfileOp::kImport: ImportProfileCommand(target, slot); break;
    case ProfileOp::kExport: ExportProfileCommand(target, slot); break;
    case ProfileOp::kRename: RenameProfileCommand(target, slot); break;
    case ProfileOp::kRemove: RemoveProfileCommand(target, slot); break;
    case ProfileOp::kAdd: AddProfileCommand(target); break;
    case ProfileOp::kNoFreeProfile: ShowNoFreeProfileNotice(target); break;
  }
}

}  // namespace gm::win
