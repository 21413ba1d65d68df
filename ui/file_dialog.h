#pragma once
// The system's open and save dialogs for one kind of file.
#include <windows.h>

#include <optional>
#include <string>

namespace gm::win {

struct FileDialogRequest {
  HWND owner = nullptr;
  bool save = false;          // the save dialog, else the open dialog
  std::wstring title;
  const wchar_t* filter = L"";  // pairs of NUL-ended texts, ended by a second NUL
  std::wstring defaultExtension;  // without the dot
  std::wstring initialName;       // the name the dialog starts with
  DWORD flags = 0;                // OFN_ flags
};

// The chosen path (at most 260 characters), or none when the user cancelled. The dialog starts in
// the process's current directory.
std::optional<std::wstring> ShowFileDialog(const FileDialogRequest& request);

}  // namespace gm::win
