#include "settings/profile_file.h"

#include <span>
#include <string>

#include "settings/number_text.h"
#include "settings/text_file.h"

namespace gm {
namespace {

constexpr std::wstring_view kSection = L"[Setting]";

// Whether the text before "=" may be empty: the macro lines of a button accept a line that
// starts with "=".
enum class Key { Required, Optional };

// A line's key: the text, or the text around a number ("\tXYSetting" 1 "ValueX"). Only the
// writer spells it out; the reader, which never compares keys, builds nothing per line.
struct FieldKey {
  FieldKey(const wchar_t* text) : head(text) {}
  FieldKey(const wchar_t* before, int number, const wchar_t* after) : head(before), number(number), tail(after) {}
  std::wstring Text() const {
    std::wstring text(head);
    if (number >= 0) text.append(DecimalText(number)).append(tail);
    return text;
  }

  std::wstring_view head;
  int number = -1;  // none
  std::wstring_view tail;
};

// The lines after the SettingEntries block, in file order, as one visit of the record's fields.
// The writer and the reader are the two visitors, so the line layout exists once.
template <typename Record, typename Visitor>
void VisitFields(Record& r, Visitor& v) {
  v.Hex(L"DPIOffOnFlagValue", r.DPIOffOnFlagValue);
  for (int n = 1; n <= kDpiStageCount; ++n) {
    v.Hex({L"\tXYSetting", n, L"ValueX"}, r.XYSettingValueX[n - 1]);
    v.Hex({L"\tXYSetting", n, L"ValueY"}, r.XYSettingValueY[n - 1]);
  }
  v.Hex(L"\tCurrentDPILevelValue", r.CurrentDPILevelValue);
  for (int n = 0; n < kDpiStageCount; ++n) {
    v.Rgb({L"\tDPILevelIndication", n, L"Valuer"}, r.DPILevelIndication[n]);
  }
  v.Hex(L"\tAngleSnapValue", r.AngleSnapValue);
  v.Hex(L"\tLiftDetectionValue", r.LiftDetectionValue);
  v.Text(L"PollingRateName", r.PollingRateName, Key::Required);
  v.Bytes(L"\tPollingRateValue", r.PollingRateValue);

  v.Text(L"Lighting1Name", r.Lighting1Name, Key::Required);
  v.Bytes(L"\tLighting1ModeValue", r.Lighting1ModeValue);
  v.Hex(L"\tLighting1OffOn", r.Lighting1OffOn);
  v.List(L"\tLighting1Speed", r.Lighting1Speed);
  v.List(L"\tLighting1Brightness", r.Lighting1Brightness);
  v.Groups(L"\tLighting1ColorSelected", r.Lighting1ColorSelected);
  v.RgbGroups(L"\tLighting1FixedColor", r.Lighting1FixedColor);
  v.List(L"\tLighting1Direction", r.Lighting1Direction);

  v.Text(L"Lighting2Name", r.Lighting2Name, Key::Required);
  v.Bytes(L"\tLighting2ModeValue", r.Lighting2ModeValue);
  v.Hex(L"\tLighting2OffOn", r.Lighting2OffOn);
  v.Hex(L"\tLighting2Speed", r.Lighting2Speed);
  v.Hex(L"\tLighting2Brightness", r.Lighting2Brightness);
  v.Rgb(L"\tLighting2FixedColor", r.Lighting2FixedColor);

  for (int b = 0; b < kButtonCount; ++b) {
    auto& key = r.KeyAssignments[b];
    v.Text({L"Key", b, L"Name"}, key.KeyName, Key::Required);
    v.Text({L"\tKey", b, L"URL"}, key.KeyURL, Key::Required);
    v.Bytes({L"\tKey", b, L"Value"}, key.KeyValue);
    v.Decimal(L"\tMacroKeyIndex", key.MacroKeyIndex);
    v.Text({L"\tMacroKey", b, L"Name"}, key.Macro.Name, Key::Optional);
    v.Decimal(L"\t\tMacroActionNum", key.Macro.MacroActionNum);
    v.Actions(L"\t\tAllAction", key.Macro.Actions);
  }
}

// ---- writing ----

class FieldWriter {
 public:
  explicit FieldWriter(CStdioFileEx& file) : file_(file) {}

  void Hex(const FieldKey& key, std::uint8_t value) { Line(key, HexText(value, 2)); }
  void Hex(const FieldKey& key, std::uint16_t value) { Line(key, HexText(value, 4)); }
  void Rgb(const FieldKey& key, Colour c) { Line(key, RgbText(c)); }
  void Bytes(const FieldKey& key, const ThreeBytes& b) {
    Line(key, HexText(b[0], 2) + HexText(b[1], 2) + HexText(b[2], 2));
  }
  void Text(const FieldKey& key, const std::wstring& text, Key) { Line(key, text); }
  void Decimal(const FieldKey& key, std::uint32_t value) { Line(key, DecimalText(value)); }
  void List(const FieldKey& key, const EffectBytes& values) {
    std::wstring out;
    for (size_t j = 0; j < values.size(); ++j) {
      if (j > 0) out += L'|';
      out += HexText(values[j], 2);
    }
    Line(key, out);
  }
  void Groups(const FieldKey& key, const EffectSlots<std::uint8_t>& groups) {
    std::wstring out;
    for (const auto& group : groups) {
      for (size_t s = 0; s < group.size(); ++s) out += HexText(group[s], 2) + (s + 1 < group.size() ? L"|" : L";");
    }
    Line(key, out);
  }
  void RgbGroups(const FieldKey& key, const EffectSlots<Colour>& groups) {
    std::wstring out;
    for (const auto& group : groups) {
      for (size_t s = 0; s < group.size(); ++s) out += RgbText(group[s]) + (s + 1 < group.size() ? L"|" : L";");
    }
    Line(key, out);
  }
  void Actions(const FieldKey& key, const std::array<MacroAction, kMacroActionCapacity>& actions) {
    std::wstring out;
    out.reserve(2 * 4 * actions.size());
    for (const MacroAction& a : actions) {
      for (int i = 0; i < 4; ++i) out += HexText(a.Byte(i), 2);
    }
    Line(key, out);
  }

 private:
  static std::wstring RgbText(Colour c) { return HexText(RedOf(c), 2) + HexText(GreenOf(c), 2) + HexText(BlueOf(c), 2); }
  void Line(const FieldKey& key, const std::wstring& value) { file_.WriteLine(key.Text() + L"=" + value); }

  CStdioFileEx& file_;
};

// ---- reading ----

class FieldReader {
 public:
  explicit FieldReader(CStdioFileEx& file) : file_(file) {}
  bool Ok() const { return ok_; }
  int LineNumber() const { return lineNumber_; }

  void Hex(const FieldKey&, std::uint8_t& value) {
    if (Next(Key::Required)) value = static_cast<std::uint8_t>(HexAt(1, 2));
  }
  void Hex(const FieldKey&, std::uint16_t& value) {
    if (Next(Key::Required)) value = static_cast<std::uint16_t>(HexAt(1, 4));
  }
  void Rgb(const FieldKey&, Colour& c) {
    if (Next(Key::Required)) c = RgbAt(1);
  }
  void Bytes(const FieldKey&, ThreeBytes& b) {
    if (!Next(Key::Required)) return;
    for (size_t i = 0; i < 3; ++i) b[i] = static_cast<std::uint8_t>(HexAt(1 + 2 * i, 2));
  }
  void Text(const FieldKey&, std::wstring& text, Key key) {
    if (Next(key)) text = line_.substr(equals_ + 1);
  }
  void Decimal(const FieldKey&, std::uint32_t& value) {
    if (!Next(Key::Optional)) return;
    if (equals_ + 1 == line_.size()) {
      ok_ = false;
      return;
    }
    value = ParseUnsignedLong(std::wstring_view(line_).substr(equals_ + 1), 10);
  }
  void List(const FieldKey&, EffectBytes& values) {
    if (!Next(Key::Required)) return;
    for (size_t j = 0; j < values.size(); ++j) values[j] = static_cast<std::uint8_t>(HexAt(1 + 3 * j, 2));
  }
  void Groups(const FieldKey&, EffectSlots<std::uint8_t>& groups) {
    if (!Next(Key::Required)) return;
    for (size_t k = 0; k < kLightingEffectCount * kColourSlotCount; ++k) {
      groups[k / kColourSlotCount][k % kColourSlotCount] = static_cast<std::uint8_t>(HexAt(1 + 3 * k, 2));
    }
  }
  void RgbGroups(const FieldKey&, EffectSlots<Colour>& groups) {
    if (!Next(Key::Required)) return;
    for (size_t k = 0; k < kLightingEffectCount * kColourSlotCount; ++k) {
      groups[k / kColourSlotCount][k % kColourSlotCount] = RgbAt(1 + 7 * k);
    }
  }
  void Actions(const FieldKey&, std::array<MacroAction, kMacroActionCapacity>& actions) {
    if (!Next(Key::Optional)) return;
    if (line_.size() - equals_ - 1 != 8 * actions.size()) {
      ok_ = false;
      return;
    }
    for (size_t i = 0; i < actions.size(); ++i) {
      const size_t at = 1 + 8 * i;
      actions[i] = MacroAction::FromBytes(static_cast<std::uint8_t>(HexAt(at, 2)), static_cast<std::uint8_t>(HexAt(at + 2, 2)),
                                          static_cast<std::uint8_t>(HexAt(at + 4, 2)),
                                          static_cast<std::uint8_t>(HexAt(at + 6, 2)));
    }
  }

  // The next line, which must exist and hold "=" (at position 1 or later unless `key` allows 0).
  bool Next(Key key) {
    if (!ok_) return false;
    ++lineNumber_;
    if (!file_.ReadString(line_)) return ok_ = false;
    equals_ = line_.find(L'=');
    if (equals_ == std::wstring::npos || (equals_ == 0 && key == Key::Required)) return ok_ = false;
    return true;
  }
  const std::wstring& Line() const { return line_; }
  size_t Equals() const { return equals_; }

 private:
  // The characters at equals_ + offset (those of them the line has) read in base 16.
  std::uint32_t HexAt(size_t offset, size_t length) const {
    const size_t start = equals_ + offset;
    if (start >= line_.size()) return 0;
    return static_cast<std::uint32_t>(ParseLong(std::wstring_view(line_).substr(start, length), 16));
  }
  Colour RgbAt(size_t offset) const {
    return MakeColour(static_cast<std::uint8_t>(HexAt(offset, 2)), static_cast<std::uint8_t>(HexAt(offset + 2, 2)),
                      static_cast<std::uint8_t>(HexAt(offset + 4, 2)));
  }

  CStdioFileEx& file_;
  bool ok_ = true;
  int lineNumber_ = 1;  // the section line is read before the fields
  std::wstring line_;
  size_t equals_ = 0;
};

// Keeps the values other parts index tables with inside those tables.
void LimitIndexes(ProfileRecord& r) {
  for (KeyAssignment& key : r.KeyAssignments) {
    if (key.Macro.MacroActionNum > kMacroActionCapacity) key.Macro.MacroActionNum = kMacroActionCapacity;
  }
  if (r.CurrentDPILevelValue >= kDpiStageCount) r.CurrentDPILevelValue = kDpiStageCount - 1;
  if (r.Lighting1ModeValue[0] >= kLightingEffectCount) r.Lighting1ModeValue[0] = kLightingEffectCount - 1;
}

}  // namespace

bool WriteProfileRecord(const ProfileRecord& record, std::wstring_view path) {
  CStdioFileEx file;
  if (!file.Open(path, kOpenForWriting)) return false;
  file.WriteLine(kSection);
  for (const TextPair& entry : record.SettingEntries) file.WriteLine(entry.Key + L"=" + entry.Value);
  FieldWriter writer(file);
  VisitFields(record, writer);
  return file.Close();
}

bool ReadProfileLines(CStdioFileEx& file, ProfileRecord& record, int* rejectedLine) {
  int ignored = 0;
  int& rejected = rejectedLine ? *rejectedLine : ignored;
  std::wstring line;
  if (!file.ReadString(line) || line != kSection) {
    rejected = 1;
    return false;
  }
  FieldReader reader(file);
  for (TextPair& entry : record.SettingEntries) {
    if (!reader.Next(Key::Required)) break;
    entry.Key = reader.Line().substr(0, reader.Equals());
    entry.Value = reader.Line().substr(reader.Equals() + 1);
  }
  VisitFields(record, reader);
  if (!reader.Ok()) {
    rejected = reader.LineNumber();
    return false;
  }
  LimitIndexes(record);
  return true;
}

bool ReadProfileRecord(std::wstring_view path, ProfileRecord& record) {
  CStdioFileEx file;
  if (!file.Open(path, kOpenForReading)) return false;
  ProfileRecord scratch = record;
  if (!ReadProfileLines(file, scratch)) return false;
  record = std::move(scratch);
  return true;
}

}  // namespace gm
