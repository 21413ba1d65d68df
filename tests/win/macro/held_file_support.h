#pragma once
// Another program holding a file open (FileHolder.exe beside the tests), as a virus scanner, a
// backup or sync tool or an editor may: letting others read the file, or sharing nothing. Neither
// lets a save put a new file in its place; the second also keeps every reader out.
#include <string>

#include "win_test_support.h"

namespace macrotest {

class HeldFile {
 public:
  HeldFile(const std::wstring& path, bool othersMayRead);
  // The holder ends with the test, whatever happened.
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  // Waits until the holder has the file open (a file held so cannot be opened for deleting);
  // false when it did not come to hold it.
  bool Held() const;
  // What became of the holder, for a failure message.
  std::string State() const;
  // The holder ends and the file is free.
  void Release() { gmtest::Terminate(holder_); }

 private:
  std::wstring path_;
  gmtest::Process holder_;
};

}  // namespace macrotest
