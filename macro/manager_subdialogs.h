#pragma once
// The small dialogs the macro manager opens for its commands: the name of a new macro or folder,
// a new name for an item, and the editors of a key, a delay and a move or wheel amount. Each
// returns whether the user confirmed and writes its result only then. The manager's logic
// (macro/macro_editor.h) runs through this interface, so native tests script the answers.
// Portable: the Windows implementation, which opens the skinned dialogs, is declared below with
// an opaque window handle and built only into the Windows program.
#include <functional>
#include <memory>
#include <string>

#include "macro/macro_model.h"

struct HWND__;  // the system's window handle type (HWND), opaque here

namespace gm {

namespace ui {
struct UiContext;
}

// Modes of AskName.
inline constexpr int kNameForMacro = 0;
inline constexpr int kNameForFolder = 1;

class ManagerSubdialogs {
 public:
  virtual ~ManagerSubdialogs() = default;
  // The name of a new macro (kNameForMacro) or folder (kNameForFolder).
  virtual bool AskName(int mode, std::wstring& name) = 0;
  // A new name for an item called `current`; an unchanged name counts as cancelled.
  virtual bool AskRename(const std::wstring& current, std::wstring& name) = 0;
  // The key of a key action (byte 0 only).
  virtual bool EditKey(MacroAction& action) = 0;
  // A delay (all four bytes).
  virtual bool EditDelay(MacroAction& action) = 0;
  // A move or wheel amount for insert code `code` 5..10 (bytes 0, 2 and 3).
  virtual bool EditAmount(int code, MacroAction& action) = 0;
};

// The skinned dialogs, owned by the window `owner` returns when one opens (the manager window,
// which does not exist yet when the manager is constructed).
std::unique_ptr<ManagerSubdialogs> MakeManagerDialogs(const ui::UiContext& context,
                                                      std::function<HWND__*()> owner);

}  // namespace gm
