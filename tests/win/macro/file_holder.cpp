// A stand-in for another program that keeps a file open, as a virus scanner, a backup or sync
// tool or an editor does: FileHolder.exe "<path>" read|none opens the file for reading, letting
// others read it too ("read") or share nothing ("none"), and holds it until it is ended. It ends
// with code 1 when the file cannot be opened; a file another program has open for a moment (the
// test looking whether it is held yet) is tried again for a while first.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 3) return 2;
  const DWORD share = std::wcscmp(argv[2], L"none") == 0 ? 0 : FILE_SHARE_READ;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 500; ++attempt) {
    file = CreateFileW(argv[1], GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION) break;
    Sleep(20);
  }
  LocalFree(argv);
  if (file == INVALID_HANDLE_VALUE) return 1;
  Sleep(INFINITE);
  return 0;
}
