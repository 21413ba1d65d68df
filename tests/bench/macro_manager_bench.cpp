// The macro manager's tree on a 2,000-macro library with every folder open (2,060 rows): what
// opening the manager computes for the tree (row count, the selection's row, the first screen of
// rows) and what one scroll step computes (the rows of the next screen). Each must stay far below
// a 16 ms frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "macro/macro_library.h"

namespace {

using gm::MacroItemLocation;

// Rows one screen of the tree shows (its 267 design units at 20 units a row).
constexpr int kScreenRows = 13;

// 10 level-0 folders, each with 20 macros and 5 subfolders of 36 macros: 2,000 macros, all open.
void FillOpenLibrary(gm::MacroLibrary& lib, MacroItemLocation& last) {
  int made = 0;
  for (int f0 = 0; f0 < 10; ++f0) {
    MacroItemLocation top = MacroItemLocation::None();
    lib.CreateFolder(L"Folder " + std::to_wstring(f0), top);
    lib.ItemAt(top)->MacroItemFolderIsOpen = 1;
    for (int m = 0; m < 20; ++m, ++made) {
      MacroItemLocation at = top;
      lib.CreateMacro(L"Macro " + std::to_wstring(made), at);
    }
    for (int f1 = 0; f1 < 5; ++f1) {
      MacroItemLocation mid = top;
      lib.CreateFolder(L"Sub " + std::to_wstring(f1), mid);
      lib.ItemAt(mid)->MacroItemFolderIsOpen = 1;
      for (int m = 0; m < 36; ++m, ++made) {
        MacroItemLocation at = mid;
        lib.CreateMacro(L"Macro " + std::to_wstring(made), at);
        last = at;
      }
    }
  }
}

// The tree's part of what a paint reads: each shown row's item.
int ReadScreen(const gm::MacroLibrary& lib, int firstRow) {
  int names = 0;
  for (int row = firstRow; row < firstRow + kScreenRows; ++row) {
    if (const gm::MacroItem* item = lib.ItemAt(lib.LocationOfRow(row))) names += static_cast<int>(item->MacroItemName.size());
  }
  return names;
}

void BM_OpenManagerTree(benchmark::State& state) {
  gm::MacroLibrary lib;
  MacroItemLocation last;
  FillOpenLibrary(lib, last);
  for (auto _ : state) {
    const int rows = lib.VisibleRowCount();
    const int selected = lib.RowOfLocation(last);  // the deepest, last row: the longest search
    const int first = std::max(0, std::min(selected, rows - kScreenRows));
    benchmark::DoNotOptimize(ReadScreen(lib, first));
  }
  state.counters["rows"] = lib.VisibleRowCount();
}
BENCHMARK(BM_OpenManagerTree)->Unit(benchmark::kMillisecond);

void BM_ScrollManagerTreeOneStep(benchmark::State& state) {
  gm::MacroLibrary lib;
  MacroItemLocation last;
  FillOpenLibrary(lib, last);
  const int rows = lib.VisibleRowCount();
  int first = 0;
  for (auto _ : state) {
    first = first + 1 > rows - kScreenRows ? 0 : first + 1;
    benchmark::DoNotOptimize(lib.VisibleRowCount());
    benchmark::DoNotOptimize(ReadScreen(lib, first));
  }
}
BENCHMARK(BM_ScrollManagerTreeOneStep)->Unit(benchmark::kMillisecond);

}  // namespace
