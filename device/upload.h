#pragma once
// The configuration upload: rebuilds the command reports of the dirty groups from the current
// profile record, compares each with its shadow (what the mouse is known to hold) and sends only
// those that differ. PrimeShadows makes the shadows equal to a record without sending anything.
//
// Threads: a ConfigUpload is used by one thread at a time: the window's device thread runs its
// uploads and primings as jobs, each with a ConfigUpload of its own (device/upload_job.h); gmctl and
// the start-up priming call it directly. The upload and the priming are runs of exchanges
// (device/exchange_run.h): each holds the link's busy state for its whole run, which is what gives
// it the report slots and shadows, and is refused, doing nothing, while another run (of this
// thread or another) holds it.
#include <cstdint>

#include "device/transport.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"

namespace gm {

// Which groups of commands the next upload rebuilds. Set by the main window's handlers, cleared
// together by the upload.
struct DirtyFlags {
  bool KeyMapDirty = false;          // button mapping
  bool DeviceSettingsDirty = false;  // DPI stages, colours, rate, lift-off, debounce, lighting
  bool PowerDirty = false;           // power options
  bool SensorDirty = false;          // sensor options
  bool Any() const { return KeyMapDirty || DeviceSettingsDirty || PowerDirty || SensorDirty; }
};

// Build slot and shadow slot of each configuration command in the report slots, and how many
// bytes of them are compared.
struct ShadowPair {
  std::uint8_t build;
  std::uint8_t shadow;
  std::uint8_t compared;
};
inline constexpr ShadowPair kLightingSlots{2, 3, 4};
inline constexpr ShadowPair kDpiSlots{4, 5, 34};  // stage, mask, X codes 0..7, Y codes 0..7
inline constexpr ShadowPair kColourSlots{6, 7, 24};
inline constexpr ShadowPair kRateSlots{8, 9, 1};
inline constexpr ShadowPair kLiftSlots{10, 11, 1};
inline constexpr ShadowPair kDebounceSlots{12, 13, 1};
inline constexpr ShadowPair kPowerSlots{14, 15, 3};
inline constexpr ShadowPair kSensorSlots{18, 19, 3};

// The button-mapping and macro steps of an upload (device/mapping_upload.h). This base does
// nothing at every step: an upload without buttons and macros. ResolveMacroSlots may rewrite the
// macro buttons of the record (their slot numbers, or disabled when their macro is gone). The
// steps run inside the upload's or the priming's run and take no run of their own. The two
// sending steps return false when the mouse left something they sent unacknowledged (its shadow
// then still differs, so the next upload with the button mapping marked sends it again).
class MappingUploadSteps {
 public:
  virtual ~MappingUploadSteps() = default;
  virtual void ResolveMacroSlots(ProfileRecord&) {}
  virtual bool BuildMappingCommand(const ProfileRecord&, Transport&, bool& somethingSent) { return true; }
  virtual bool UploadMacros(const ProfileRecord&, Transport&, bool send, bool& somethingSent) { return true; }
  virtual void PrimeMappingShadow(const ProfileRecord&, Transport&) {}
  virtual void ForgetMappingShadow(const ProfileRecord&, Transport&) {}
};

// What the upload asks of the main window.
class UploadHost {
 public:
  virtual ~UploadHost() = default;
  virtual bool WindowShown() const = 0;
  // No usable link: the modeless, topmost notice (texts 156 and 150).
  virtual void ShowNoLinkNotice() = 0;
  // Something was sent: the short modal progress dialog (text 146).
  virtual void ShowSendProgress() = 0;
  // Stop and restart the 10 s save timer and set the pending-save flag.
  virtual void RestartSaveTimer() = 0;
  virtual void Refresh() = 0;
};

// A host that lets the upload run and does nothing with its answers: for callers that carry the
// answers out themselves afterwards (the device thread's jobs) or need none (a preview).
class SilentUploadHost final : public UploadHost {
 public:
  bool WindowShown() const override { return true; }
  void ShowNoLinkNotice() override {}
  void ShowSendProgress() override {}
  void RestartSaveTimer() override {}
  void Refresh() override {}
};

enum class UploadResult {
  kNotShown,  // the window is hidden: nothing done
  kNoLink,    // no usable link: notice shown, nothing sent, dirty flags kept
  kBusy,      // another run holds the link: nothing done, nothing shown, dirty flags kept
  kDone,      // the dirty groups were rebuilt and their differences sent
};

class ConfigUpload {
 public:
  // `sensor` gives the register codes of the DPI stage positions; it must outlive this object.
  ConfigUpload(Transport& transport, MappingUploadSteps& mapping, const SensorTables& sensor);

  // After an upload the flags hold the groups of the commands the mouse never acknowledged: they
  // stay pending for the next upload.
  DirtyFlags& Dirty() { return dirty_; }
  const DirtyFlags& Dirty() const { return dirty_; }
  bool SomethingSent() const { return somethingSent_; }

  // The driver (timer 30). `mouseOnline` is the controller's online flag. The macro buttons of
  // `record` are resolved against the macro library first.
  UploadResult UploadPendingChanges(ProfileRecord& record, bool mouseOnline, UploadHost& host);

  // Builders: build, compare with the shadow, send what differs, and copy a command into its
  // shadow once the mouse has acknowledged it. A command given up after its four attempts leaves
  // the mouse's state unknown: its shadow then equals no build and its group is marked dirty
  // again, so the next upload of the group sends it. Each returns at once, building nothing, when
  // no control handle is open. Steps of the upload's run.
  void BuildConfigCommands(const ProfileRecord& record);
  void BuildPowerCommand(const ProfileRecord& record);
  void BuildSensorOptionsCommand(const ProfileRecord& record);

  // Shadows = what the builders would produce from `record` (the lighting shadow excepted: it never
  // equals a build, so the next upload always sends the lighting command). Sends nothing and
  // leaves the dirty flags alone. False, with nothing changed, while another run holds the link.
  bool PrimeShadows(ProfileRecord& record);

  // Shadows that equal no build at all: the next upload of each group sends all of its commands
  // (bringing a mouse of unknown state in line with a record). False, with nothing changed, while
  // another run holds the link.
  bool ForgetShadows(const ProfileRecord& record);

 private:
  bool AnyControlHandle() const;
  // The run of the upload: refused (kBusy) while another run holds the link, kNoLink without a
  // usable link, else the dirty groups rebuilt, their differences sent and the flags cleared.
  UploadResult SendDirtyGroups(ProfileRecord& record, bool mouseOnline);
  // Writes `bytes` into the build slot and returns whether its compared bytes differ from the
  // shadow.
  bool BuildAndCompare(const ShadowPair& slots, std::span<const std::uint8_t> bytes);
  // A command that differed has been sent: acknowledged, its shadow takes the build; given up,
  // the shadow takes the inverted build (equal to no build) and `group` is marked for the next
  // upload.
  void Settle(const ShadowPair& slots, bool acknowledged, bool DirtyFlags::*group);
  // Sends one packet of a command (nothing but the gap when unchanged); true unless a changed
  // packet went unacknowledged.
  bool Send(std::uint8_t code, std::uint8_t packetByte, std::span<const std::uint8_t> data, std::size_t length,
            bool changed);
  void WriteShadow(const ShadowPair& slots, std::span<const std::uint8_t> bytes);
  void WriteAllShadows(const ProfileRecord& record, bool invert);

  Transport& transport_;
  MappingUploadSteps& mapping_;
  const SensorTables& sensor_;
  DirtyFlags dirty_;
  DirtyFlags pending_;  // the groups of the current upload's unacknowledged commands
  bool somethingSent_ = false;
};

// The 34 compared bytes of the DPI command: stage, mask, X codes of stages 0..7, Y codes of stages
// 0..7 (stages 6 and 7 are not sent and are kept 0 so they never cause a send).
std::array<std::uint8_t, 34> DpiShadowBytes(const ProfileRecord& record, const SensorTables& sensor);

}  // namespace gm
