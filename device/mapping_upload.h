#pragma once
// The button-mapping and macro steps of an upload: gives the macro buttons of a profile their
// device macro slots (ResolveMacroSlots), sends the mapping command when it differs from its
// shadow, encodes every macro button's macro into an image and, when any image changed, uploads
// all of them (start command, then each macro's packets paced 120 ms apart), and primes the
// mapping and macro shadows without sending.
//
// Shadows: the mapping's 18 function bytes sit at bytes 2..19 of report slot 1; the image of
// device macro slot n at the first 512 bytes of report slot 20 + n.
//
// Threads: ResolveMacroSlots reads the library and keeps the slot table: it runs on the thread that
// owns the library (the UI thread in the window), and the library must not change while it runs.
// The other steps read only the record and the transport; the configuration upload and its priming
// call them inside their run of exchanges (device/exchange_run.h), on the device thread in the
// window (device/upload_job.h).
#include <cstdint>
#include <optional>
#include <vector>

#include "device/mapping_commands.h"
#include "device/transport.h"
#include "device/upload.h"
#include "macro/macro_library.h"

namespace gm {

inline constexpr std::size_t kMappingShadowSlot = 1;
inline constexpr std::size_t kMappingShadowOffset = 2;
inline constexpr std::size_t kMacroShadowFirstSlot = 20;
inline constexpr std::size_t kMacroShadowCount = 20;
// Device macro slots are 1..15; the 16th would not fit the 4 bits of KeyValue[1].
inline constexpr int kMacroSlotLimit = 16;
// Pacing of a macro packet: its acknowledge is read 120 ms after it was set, a resend follows
// 60 ms after a missing acknowledge; the packets follow the start command after 10 ms.
inline constexpr Millis kMacroPacketGap{120};
inline constexpr Millis kMacroStartGap{10};

// Sends one macro packet (already framed data) with the 120 ms variant of the exchange: set,
// wait 120 ms, read the acknowledge; unacknowledged, wait 60 ms and send again with a new sequence
// byte, at most four sends. `wentOut` is set when a report was set on a handle.
SendOutcome SendMacroPacket(Transport& transport, std::uint8_t packetByte, std::span<const std::uint8_t> data,
                            bool& wentOut);

class MappingUpload final : public MappingUploadSteps {
 public:
  // `library` is where macro buttons find their macros by number, `texts` names a button whose
  // macro is gone; both must outlive this object.
  MappingUpload(const MacroLibrary& library, const LanguageTable& texts);

  // The number the next distinct macro would get: slots in use + 1 (1 before any resolution).
  int MacroSlotNext() const { return macroSlotNext_; }
  // Set when the macro library changed: the next resolution copies each macro button's library
  // macro into the button, then clears it.
  void SetRefreshButtonMacros(bool on) { refreshButtonMacros_ = on; }
  bool RefreshButtonMacros() const { return refreshButtonMacros_; }
  // Set while the macro library is being edited (the macro manager is open): a resolution then
  // leaves the record alone (the buttons keep their macros, functions and slots, the slot table
  // and RefreshButtonMacros stay as they are), so a half-edited macro reaches neither a button nor
  // a shadow.
  void HoldButtonMacros(bool on) { holdButtonMacros_ = on; }
  bool ButtonMacrosHeld() const { return holdButtonMacros_; }
  // The device slot the latest resolution gave the library item at `location`.
  std::optional<std::uint8_t> SlotOfItem(const MacroItemLocation& location) const;

  // Gives each distinct library macro among the macro buttons (in button order) the next slot and
  // rewrites the button's function (0x90, loop type << 4 | slot, loop count for loop type 2). A
  // button whose macro number is not in the library loses its function (disabled, named as such).
  // Does nothing while the button macros are held.
  void ResolveMacroSlots(ProfileRecord& record) override;
  // SendMapping: with a control handle open, forgets the macro shadows (so the macros of this
  // upload are all sent again), compares the function bytes with their shadow and sends 0x01
  // when they differ; the shadow takes them once the mouse acknowledged them. False when the
  // command was given up (the shadow then equals no function bytes).
  bool BuildMappingCommand(const ProfileRecord& record, Transport& transport, bool& somethingSent) override;
  // Compares every macro button's image with its shadow; with `send` on and any of them changed,
  // sends the start command and then every macro button's packets. A slot whose packets were not
  // all acknowledged (or all slots, when the start command was not) keeps an empty shadow, so it
  // goes out again; false then.
  bool UploadMacros(const ProfileRecord& record, Transport& transport, bool send, bool& somethingSent) override;
  // Shadow of the mapping = the record's function bytes (0xFF around them).
  void PrimeMappingShadow(const ProfileRecord& record, Transport& transport) override;
  // A mapping shadow that equals no build: the next mapping command is sent whatever it holds.
  void ForgetMappingShadow(const ProfileRecord& record, Transport& transport) override;
  // Empties the macro images of device slots 0..count-1 (after a factory reset the mouse holds no
  // macros), so that the next macro upload sends every macro of those slots again.
  static void ZeroMacroShadowSlots(Transport& transport, int count);

 private:
  struct ItemSlot {
    MacroItemLocation location;
    std::uint8_t slot;
  };

  const MacroLibrary& library_;
  const LanguageTable& texts_;
  std::vector<ItemSlot> itemSlots_;  // the slot-per-item table: only items that have a slot
  int macroSlotNext_ = 1;
  bool refreshButtonMacros_ = false;
  bool holdButtonMacros_ = false;
};

}  // namespace gm
