#pragma once
// The bytes of a resource of a loaded module, where the system mapped them: they stay valid for as
// long as the module is loaded, and nothing is copied.
#include <windows.h>

#include <cstdint>
#include <span>

namespace gm::ui {

// Resource (`type`, `id`) of `module` (null: the program file); empty when there is no such
// resource or it cannot be loaded.
inline std::span<const std::uint8_t> ModuleResourceBytes(HMODULE module, const wchar_t* type, int id) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
  if (!bytes) return {};
  return {bytes, SizeofResource(module, found)};
}

}  // namespace gm::ui
