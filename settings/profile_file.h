#pragma once
// The profile file (.psf): one ProfileRecord as 110 key=value lines, UTF-16LE through
// CStdioFileEx. Line 1 "[Setting]", lines 2..24 the 23 SettingEntries (keys taken from the file),
// then the DPI, rate, lighting and six button blocks. The reader finds every field by its line
// number and by character positions after the line's first "="; apart from the first block it
// ignores the text before "=". Numbers are upper-case hexadecimal ("%.2X", "%.4X"), the macro
// index and action count decimal.
//
// The same format is the export and import format of a profile.
#include <string_view>

#include "settings/profile_record.h"

namespace gm {

class CStdioFileEx;

inline constexpr int kProfileFileLineCount = 110;

// Writes the record to `path` atomically. False when the file cannot be written (an existing
// file is then left as it was).
bool WriteProfileRecord(const ProfileRecord& record, std::wstring_view path);

// Reads the lines of an open profile file into `record`, storing each value as it is read (so a
// failure leaves the record partly overwritten: read into a scratch record). Returns whether the
// whole file was accepted. Values other parts index with are limited: MacroActionNum to 250,
// CurrentDPILevelValue to 7 and the effect number Lighting1ModeValue[0] to 9; a file written by
// WriteProfileRecord reads back unchanged. On failure `rejectedLine`, when given, receives the
// number (from 1) of the line that was missing or broke the rules.
bool ReadProfileLines(CStdioFileEx& file, ProfileRecord& record, int* rejectedLine = nullptr);

// Reads the file at `path` into `record` only when the whole file is accepted; on failure the
// record is left exactly as it was. Fields the file does not carry (the macros' loop options)
// keep the record's values.
bool ReadProfileRecord(std::wstring_view path, ProfileRecord& record);

}  // namespace gm
