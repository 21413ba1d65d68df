#pragma once
// The reports an upload would send to bring a mouse of unknown state in line with a record: every
// configuration command, in sending order, sequence bytes from 1. No device is touched.
#include <cstdint>
#include <vector>

#include "settings/profile_record.h"

namespace gm {

std::vector<std::vector<std::uint8_t>> PreviewFullUpload(const ProfileRecord& record);

}  // namespace gm
