#include "assign/quick_launch_dlg.h"

#include <commdlg.h>

#include <vector>

#include "assign/assignment_rules.h"
#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"
#include "ui/program_messages.h"

namespace gm::win {
namespace {

using D = CQuickLaunchDlg;

constexpr DialogFrame kFrame{429, 140, L"skins\\Frame_common.bmp"};

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(D::kClose, 405),
    ui::TextLine(D::kTitle, {21, 8, 380, 30}, ui::TextAlign::kLeft, kTextLaunchProgramTitle),
    ui::CaptionButton(D::kBrowse, {24, 56, 93, 76}, kTextBrowse),
    ui::TextLine(D::kFileName, {104, 56, 420, 76}, ui::TextAlign::kLeft),
    ui::CaptionButton(D::kOk, {260, 110, 329, 130}, kTextOk),
    ui::CaptionButton(D::kCancel, {350, 110, 419, 130}, kTextCancel),
};

// The system's open-file dialog for one existing program file; empty when it was cancelled.
std::wstring ChooseProgram(HWND owner) {
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring start = L"ab.exe";
  std::copy(start.begin(), start.end(), file.begin());
  std::vector<wchar_t> folder(MAX_PATH + 1, L'\0');
  const DWORD folderLength = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  static constexpr wchar_t kFilter[] = L"exe file(*.exe)\0*.exe\0";
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folderLength > 0 && folderLength < folder.size() ? folder.data() : nullptr;
  ofn.lpstrDefExt = L"exe";
  ofn.Flags = OFN_EXPLORER | OFN_READONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&ofn)) return {};
  return file.data();
}

}  // namespace

CQuickLaunchDlg::CQuickLaunchDlg(const ui::UiContext& context, HWND parent) : CDlgBase(context, parent) {
  Declare(kFrame, kControls);
  SetHandlers({{kBrowse, kEventClicked, [this] { Browse(); }},
               {kOk, kEventClicked, [this] { Confirm(); }},
               {kCancel, kEventClicked, [this] { Close(IDCANCEL); }},
               {kClose, kEventClicked, [this] { Close(IDCANCEL); }}});
}

void CQuickLaunchDlg::Browse() {
  std::wstring chosen = ChooseProgram(Hwnd());
  if (chosen.empty()) return;  // cancelled: the earlier choice stays
  path_ = std::move(chosen);
  SetControlText(kFileName, ProgramLaunchChoice(path_).record.name);
}

void CQuickLaunchDlg::Confirm() {
  const AssignmentChoice choice = ProgramLaunchChoice(path_);
  Close(IDOK);
  SendMessageW(parent_, msg::kQuickLaunchChosen, reinterpret_cast<WPARAM>(choice.url.c_str()),
               reinterpret_cast<LPARAM>(&choice.record));
}

}  // namespace gm::win
