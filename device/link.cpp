#include "device/link.h"

namespace gm {

const char* LinkName(LinkKind link) {
  switch (link) {
    case LinkKind::Wired: return "wired";
    case LinkKind::Wireless: return "wireless";
    case LinkKind::Ble: return "ble";
  }
  return "?";
}

}  // namespace gm
