#include "settings/sensor_table.h"

#include <initializer_list>

namespace gm {
namespace {

// A run of values a, a+step, ... up to b (a single value when a == b).
struct Run {
  int from;
  int to;
  int step = 1;
};

enum class CodeRule { Position, PositionPlusOne, Sensor3335 };

struct SensorRow {
  std::uint16_t id;
  std::initializer_list<Run> list;  // units of 50 DPI
  CodeRule codes;
  bool separateXY;
  bool liftSetting;
  bool extraOption;
};

const SensorRow kSensors[] = {
    {0x3104, {{2, 80, 2}, {90, 90}, {96, 96}, {110, 110}, {120, 120}, {130, 130}, {140, 140}, {150, 150}, {160, 160}},
     CodeRule::Position, false, false, false},
    {0x3809, {{2, 120, 2}}, CodeRule::Position, false, false, false},
    {0x3220, {{2, 160, 2}}, CodeRule::Position, false, false, false},
    {0x0203, {{2, 128, 2}}, CodeRule::Position, false, false, false},
    {0x0205, {{2, 256, 2}}, CodeRule::Position, false, false, false},
    {0x3311, {{2, 480, 2}}, CodeRule::Position, false, false, false},
    {0x3325, {{4, 4}, {4, 200, 2}}, CodeRule::Position, false, false, false},
    {0x3327, {{4, 124, 2}, {130, 240, 10}, {248, 248}}, CodeRule::PositionPlusOne, false, false, false},
    {0x3212, {{2, 96, 2}}, CodeRule::Position, false, false, false},
    {0x3335, {{2, 320, 2}}, CodeRule::Sensor3335, false, true, false},
    {0x3360, {{2, 240, 2}, {480, 480}}, CodeRule::Position, false, true, false},
    {0x3389, {{2, 320, 2}}, CodeRule::Position, true, true, false},
    {0x3395, {{1, 520}}, CodeRule::Position, true, true, false},
    {0x3950, {{1, 600}}, CodeRule::Position, true, true, true},
    {0x0070, {{1, 600}}, CodeRule::Position, true, true, false},
    {0x8980, {{1, 520}}, CodeRule::Position, true, true, false},
    {0x8993, {{1, 1300}}, CodeRule::Position, true, true, false},
    {0x0312, {{1, 400}}, CodeRule::Position, true, true, false},
    {0x0080, {{1, 520}}, CodeRule::Position, true, true, false},
    {0x3399, {{1, 400}}, CodeRule::Position, true, true, false},
};

// The register codes of sensor 0x3335, position by position (160 of them).
const Run kCodes3335[] = {{0, 0},       {2, 7},       {9, 14},      {16, 20},     {22, 27},     {29, 33},
                          {35, 35},     {37, 42},     {44, 48},     {50, 54},     {56, 60},     {62, 66},
                          {68, 72},     {74, 78},     {80, 84},     {86, 90},     {92, 96},     {98, 102},
                          {104, 108},   {110, 114},   {116, 120},   {122, 126},   {128, 132},   {134, 138},
                          {140, 144},   {146, 150},   {152, 156},   {158, 162},   {164, 168},   {170, 174},
                          {176, 189}};

template <typename T, size_t N, typename Runs>
size_t Expand(const Runs& runs, std::array<T, N>& out) {
  size_t n = 0;
  for (const Run& r : runs) {
    for (int v = r.from; v <= r.to && n < N; v += r.step) out[n++] = static_cast<T>(v);
  }
  return n;
}

struct DefaultRow {
  std::initializer_list<std::uint16_t> ids;
  std::array<std::uint16_t, 8> positions;
};

const DefaultRow kDefaultPositions[] = {
    {{0x3104}, {0x004, 0x00F, 0x017, 0x01F, 0x027, 0x029, 0x03A, 0x032}},
    {{0x3809}, {0x003, 0x007, 0x00F, 0x017, 0x01F, 0x02F, 0x03B, 0x04F}},
    {{0x3220}, {0x003, 0x007, 0x00F, 0x017, 0x01F, 0x03F, 0x04F, 0x04F}},
    {{0x0203}, {0x003, 0x007, 0x00F, 0x017, 0x01F, 0x03F, 0x03F, 0x03F}},
    {{0x0205, 0x3311}, {0x003, 0x007, 0x00F, 0x01F, 0x03F, 0x077, 0x077, 0x077}},
    {{0x3325}, {0x003, 0x007, 0x00F, 0x01F, 0x03F, 0x063, 0x063, 0x063}},
    {{0x3327}, {0x002, 0x006, 0x00E, 0x01E, 0x030, 0x03A, 0x03A, 0x03A}},
    {{0x3212}, {0x003, 0x007, 0x00B, 0x00F, 0x017, 0x01F, 0x02F, 0x02F}},
    {{0x3335}, {0x003, 0x007, 0x00F, 0x01F, 0x03F, 0x09F, 0x09F, 0x09F}},
    {{0x3360, 0x3389}, {0x003, 0x007, 0x00F, 0x01F, 0x031, 0x03B, 0x03B, 0x03B}},
    {{0x3395, 0x8980}, {0x007, 0x00F, 0x01F, 0x03F, 0x07F, 0x207, 0x207, 0x207}},
    {{0x3950}, {0x00F, 0x017, 0x01F, 0x04F, 0x08F, 0x257, 0x257, 0x257}},
    {{0x0070}, {0x007, 0x00F, 0x01F, 0x03F, 0x07F, 0x257, 0x257, 0x257}},
    {{0x8993}, {0x007, 0x00F, 0x01F, 0x03F, 0x07F, 0x513, 0x513, 0x513}},
    {{0x0312}, {0x007, 0x00F, 0x01F, 0x03F, 0x07F, 0x18F, 0x18F, 0x18F}},
    {{0x3399}, {0x007, 0x00F, 0x01F, 0x03F, 0x063, 0x063, 0x063, 0x063}},
};

const std::pair<std::uint8_t, std::uint16_t> kReportCodes[] = {
    {0x03, 0x0203}, {0x04, 0x3104}, {0x06, 0x0205}, {0x09, 0x3809}, {0x11, 0x3311}, {0x12, 0x3212}, {0x13, 0x0312},
    {0x20, 0x3220}, {0x25, 0x3325}, {0x27, 0x3327}, {0x35, 0x3335}, {0x50, 0x3950}, {0x60, 0x3360}, {0x70, 0x0070},
    {0x80, 0x8980}, {0x89, 0x3389}, {0x93, 0x8993}, {0x95, 0x3395}, {0x99, 0x3399},
};

const SensorRow* FindSensor(std::uint16_t id) {
  for (const SensorRow& row : kSensors) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

// A position limited to the built list; -1 when the list is empty.
int ClampPosition(const SensorTables& tables, int position) {
  if (tables.count == 0) return -1;
  if (position < 0) return 0;
  const int last = static_cast<int>(tables.count) - 1;
  return position > last ? last : position;
}

}  // namespace

bool IsKnownSensor(std::uint16_t sensorId) { return FindSensor(sensorId) != nullptr; }

void BuildSensorDpiTables(SensorTables& tables) {
  const SensorRow* row = FindSensor(tables.id);
  if (!row) return;
  const size_t count = Expand(row->list, tables.list);
  switch (row->codes) {
    case CodeRule::Position:
      for (size_t i = 0; i < count; ++i) tables.codes[i] = static_cast<std::uint16_t>(i);
      break;
    case CodeRule::PositionPlusOne:
      for (size_t i = 0; i < count; ++i) tables.codes[i] = static_cast<std::uint16_t>(i + 1);
      break;
    case CodeRule::Sensor3335:
      Expand(kCodes3335, tables.codes);
      break;
  }
  tables.count = static_cast<std::uint32_t>(count);
  tables.hasSeparateXY = row->separateXY;
  tables.hasLiftSetting = row->liftSetting;
  tables.showsExtraOption = row->extraOption;
}

int DpiOfPosition(const SensorTables& tables, int position) {
  const int p = ClampPosition(tables, position);
  return p < 0 ? 0 : tables.list[static_cast<size_t>(p)] * 50;
}

std::uint16_t DpiCodeOfPosition(const SensorTables& tables, int position) {
  const int p = ClampPosition(tables, position);
  return p < 0 ? 0 : tables.codes[static_cast<size_t>(p)];
}

int PositionOfDpi(const SensorTables& tables, int dpi) {
  if (tables.count == 0) return -1;
  if (tables.count < 2) return 0;
  for (std::uint32_t i = 0; i < tables.count; ++i) {
    if (static_cast<long long>(tables.list[i]) * 50 >= dpi) return static_cast<int>(i);
  }
  return static_cast<int>(tables.count) - 1;
}

std::optional<std::array<std::uint16_t, 8>> DefaultStagePositions(std::uint16_t sensorId) {
  for (const DefaultRow& row : kDefaultPositions) {
    for (std::uint16_t id : row.ids) {
      if (id == sensorId) return row.positions;
    }
  }
  return std::nullopt;
}

std::optional<std::uint16_t> SensorIdOfReportCode(std::uint8_t code) {
  for (const auto& [reported, id] : kReportCodes) {
    if (reported == code) return id;
  }
  return std::nullopt;
}

}  // namespace gm
