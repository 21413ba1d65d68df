#include "ui/selection_state.h"

namespace gm::ui {
namespace {

struct RadioEntry {
  unsigned id;
  uint32_t group;
  uint32_t bit;
};

constexpr RadioEntry kRadioTable[] = {
    {3034, 0x7F, 0x1},          {3035, 0x7F, 0x2},          {3036, 0x7F, 0x4},
    {3037, 0x7F, 0x8},          {3038, 0x7F, 0x10},         {3039, 0x7F, 0x20},
    {3040, 0x7F, 0x40},         {2009, 0x180, 0x80},        {2010, 0x180, 0x100},
    {3501, 0x600, 0x200},       {3502, 0x600, 0x400},       {3240, 0x1800, 0x800},
    {3250, 0x1800, 0x1000},     {2031, 0xE000, 0x2000},     {2032, 0xE000, 0x4000},
    {2033, 0xE000, 0x8000},     {3030, 0xF0000, 0x10000},   {3031, 0xF0000, 0x20000},
    {3032, 0xF0000, 0x40000},   {3033, 0xF0000, 0x80000},   {3510, 0x700000, 0x100000},
    {3511, 0x700000, 0x200000}, {3509, 0x700000, 0x400000},
};

}  // namespace

std::optional<RadioBit> RadioBitOf(unsigned id) {
  for (const RadioEntry& e : kRadioTable) {
    if (e.id == id) return RadioBit{e.group, e.bit};
  }
  return std::nullopt;
}

uint32_t SelectRadio(uint32_t selection, unsigned id) {
  const auto rb = RadioBitOf(id);
  if (!rb) return selection;
  return (selection & ~rb->group) | rb->bit;
}

uint8_t DpiMaskUpToStage(int stage) {
  if (stage < 1 || stage > 8) return 0;
  return static_cast<uint8_t>((1u << stage) - 1);
}

TabValue TabValueOf(unsigned id) {
  if (id >= 2049 && id <= 2053) return {TabKind::kProfile, static_cast<int>(id - 2049)};
  if (id >= 3001 && id <= 3004) return {TabKind::kPage, static_cast<int>(id - 3001)};
  if (id >= 3007 && id <= 3009) return {TabKind::kPage, static_cast<int>(id - 3000)};
  return {};
}

}  // namespace gm::ui
