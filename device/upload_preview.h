#pragma once
// The reports an upload would send to bring a mouse of unknown state in line with a record: the
// button mapping, every configuration command, then the macros of the macro buttons (resolved
// against `library`, on a copy of the record), in sending order, sequence bytes from 1. No device
// is touched.
#include <cstdint>
#include <vector>

#include "macro/macro_library.h"
#include "settings/language.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"

namespace gm {

std::vector<std::vector<std::uint8_t>> PreviewFullUpload(const ProfileRecord& record, const MacroLibrary& library,
                                                         const SensorTables& sensor, const LanguageTable& texts);

}  // namespace gm
