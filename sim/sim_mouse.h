#pragma once
// The simulated mouse: the firmware side of every report the device code uses, behind the same HID
// seam as the real hardware. It is built from a plain declarative MouseSpec (which links exist and
// are plugged, their collections, identities and paths), stores what the program sends so tests
// can read the mouse's state back, emits input report 4 when something changes on its side, and
// logs every report as hex. Fault injection: unanswered or failed acknowledges, unplugging in the
// middle of an exchange, raw (malformed) input reports.
//
// Thread-safe: workers block in Read while the test thread acts as the mouse.
#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "device/hid_api.h"
#include "device/link.h"

namespace gm::sim {

struct CollectionSpec {
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  std::uint16_t inputReportByteLength = 0;
  std::uint16_t featureReportByteLength = 0;
};

struct LinkSpec {
  bool present = false;  // the link exists at all (its cable / receiver / pairing)
  bool plugged = false;  // its collections are enumerated now
  std::uint16_t vendorId = kMouseVendorId;
  std::uint16_t productId = 0;
  std::uint16_t versionNumber = 0x0102;
  // How the device path writes the vendor id (real paths use lower-case hex: "04f3").
  std::wstring pathVendorText = L"04f3";
  // Collections in enumeration order: pointer, control, input for the real mouse.
  std::vector<CollectionSpec> collections;
  // Highest report rate the link reports in input byte 8 (8, 4, 2, 1; 0x31 / 0x30 on BLE).
  std::uint8_t rateCapability = 8;
};

// A HID device that is not the mouse (keyboard, another vendor's mouse): enumerated, never used.
struct ForeignDevice {
  std::wstring path;
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  CollectionSpec caps;
};

struct MouseSpec {
  std::array<LinkSpec, 3> links;           // indexed by IndexOf(LinkKind)
  std::vector<ForeignDevice> foreignFirst;  // enumerated before the mouse's collections
  std::uint8_t sensorCode = 0x50;           // input byte 9
  std::uint8_t battery = 100;
  std::uint8_t chargeState = 0;
  bool awake = true;                        // the wireless link reports online
  std::uint8_t firmwareSkipA = 0;
  std::uint8_t firmwareSkipB = 0;
};

// The real mouse's collections of one link: a pointer collection (must be ignored), the control
// collection (usage page 0x000A) and the 32-byte input collection.
std::vector<CollectionSpec> StandardCollections();
// A mouse whose chosen links are present and plugged, with standard collections.
MouseSpec StandardMouse(bool wired, bool wireless, bool ble);

// One macro slot of the mouse as its data packets (0x10) filled it.
struct MacroSlotContents {
  std::vector<std::uint8_t> entries;  // the entry bytes of the accepted packets, in packet order
  int packetCount = 0;                // the count the packets announced (low 4 bits of byte 3)
  int packetsReceived = 0;            // distinct packets accepted since the slot's packet 0
  std::uint16_t receivedMask = 0;     // bit i: packet i was accepted (a resend counts once)
  bool Complete() const { return packetCount > 0 && packetsReceived == packetCount; }
};

// What the mouse holds: set by the commands it accepts (and by its own buttons).
struct MouseState {
  std::uint8_t dpiStage = 2;
  std::uint8_t dpiMask = 0x3F;
  std::array<std::uint16_t, 6> dpiX{};
  std::array<std::uint16_t, 6> dpiY{};
  std::array<std::uint8_t, 24> stageColours{};  // r, g, b of stages 0..7
  std::uint8_t rateCode = 0x02;
  std::uint8_t liftOff = 2;
  std::uint8_t debounce = 2;
  std::uint8_t lightingEffect = 0;
  std::uint8_t lightingSpeedBrightness = 0;
  std::uint8_t lightingDirection = 0;
  std::array<std::uint8_t, 3> power{};          // power-down time, motion wake-up, move lighting
  std::array<std::uint8_t, 3> sensorOptions{};  // angle snap, motion sync, ripple control
  std::array<std::uint8_t, 27> buttonMapping{};
  int macroUploadStarts = 0;                     // accepted start commands (0x11)
  std::map<std::uint8_t, MacroSlotContents> macroSlots;  // by device slot
  int factoryResets = 0;
  int pairingRequests = 0;
  std::map<std::uint8_t, int> acceptedByCode;   // accepted command reports per command code
};

// What the mouse holds fresh from the factory (and again after a factory reset): its stage values
// are those of the program's default profile for the sensor it reports (stage, enabled stages,
// the X and Y codes of stages 0..5 and the stage colours); with a sensor code the program does not
// know, the codes are 0. The rest is MouseState's defaults.
MouseState FactoryState(std::uint8_t sensorCode);

class SimMouse final : public HidApi {
 public:
  explicit SimMouse(MouseSpec spec);
  ~SimMouse() override;
  SimMouse(const SimMouse&) = delete;
  SimMouse& operator=(const SimMouse&) = delete;

  // ---- HidApi ----
  std::optional<std::wstring> InterfacePath(std::uint32_t index) override;
  HidHandle Open(const std::wstring& path, HidOpenMode mode) override;
  void Close(HidHandle handle) override;
  bool GetAttributes(HidHandle handle, HidAttributes& out) override;
  bool GetCaps(HidHandle handle, HidCaps& out) override;
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override;
  bool Read(HidHandle handle, std::span<std::uint8_t> report) override;
  void CancelRead(HidHandle handle) override;

  // ---- the test acting as the user and the mouse ----
  void Plug(LinkKind link);
  // Unplugs: every handle of the link fails from now on, blocked reads return false.
  void Unplug(LinkKind link);
  bool IsPlugged(LinkKind link) const;

  // Called after every report set on the mouse and every plug or unplug, on the thread that caused
  // it, with the mouse's lock held: it may only note the fact or post a message (calling back into
  // the mouse would deadlock). The demo panel shows the mouse's state from it.
  void SetChangeObserver(std::function<void()> observer);

  MouseState State() const;
  void SetRateCapability(LinkKind link, std::uint8_t capability);

  // Device-side events; each emits one input report on the link that carries the mouse (wired,
  // else BLE, else wireless).
  void PressDpiButton();                     // next enabled stage
  void ChangeRateOnDevice(std::uint8_t rateCode);
  void ChangeLightingOnDevice(std::uint8_t effect);
  void SetBattery(std::uint8_t level, std::uint8_t chargeState);
  void PressLaunchButton(std::uint8_t button);  // 1-based; the report after it carries 0 again
  void SwapSensor(std::uint8_t sensorCode);
  void SetAwake(bool awake);                 // wireless online byte; emits on the wireless link
  void EmitStatus();                         // a report of the current state, nothing changed
  // Queues raw bytes as the next input report of `link` (shorter or longer than 32 is allowed).
  void InjectInputReport(LinkKind link, std::vector<std::uint8_t> bytes);

  // ---- fault injection ----
  void IgnoreNextCommands(int count);     // accepted by the wire, acknowledged with byte 1 = 0
  void IgnoreNextMacroPackets(int count);  // the same for macro data packets (0x10) only
  void FailNextAcknowledgeReads(int count);  // GetFeature(6) fails
  // GetFeature(6) succeeds but its status and sequence bytes arrive damaged (XOR 0xA5): a refused
  // command reads as acknowledged, an accepted one with a wrong sequence echo.
  void CorruptNextAcknowledges(int count);
  void UnplugAfterFeatureCalls(LinkKind link, int calls);  // unplugs after that many more calls
  void SetStatusSignature(std::string signature);  // bytes 1..4 of report 5 (default "1010")

  // ---- inspection ----
  // Every report in order: "set ", "get " or "in  " + link name, then the bytes as hex.
  std::vector<std::string> Log() const;
  void ClearLog();
  // The feature reports set on any link (command, pairing), in order.
  std::vector<std::vector<std::uint8_t>> SentReports() const;
  void ClearSentReports();
  // The link whose handle received each SentReports() entry.
  std::vector<LinkKind> SentReportLinks() const;
  int OpenHandleCount() const;

 private:
  struct Member {
    bool foreign = false;
    std::size_t foreignIndex = 0;
    LinkKind link = LinkKind::Wired;
    std::size_t collection = 0;
    std::wstring path;
  };
  struct OpenHandle {
    Member member;
    bool valid = true;
    bool cancelled = false;
  };

  std::vector<Member> MembersLocked() const;
  OpenHandle* FindLocked(HidHandle handle);
  bool UsableLocked(const OpenHandle& h) const;
  void CountFeatureCallLocked(LinkKind link);
  void UnplugLocked(LinkKind link);
  void ApplyCommandLocked(std::span<const std::uint8_t> report);
  void EmitLocked(LinkKind link, std::uint8_t launch);
  bool CarrierLocked(LinkKind& out) const;
  void LogLocked(const char* what, LinkKind link, std::span<const std::uint8_t> bytes);
  void NotifyChangeLocked() const;

  mutable std::mutex mutex_;
  std::condition_variable readable_;
  MouseSpec spec_;
  MouseState state_;
  std::map<HidHandle, OpenHandle> handles_;
  HidHandle nextHandle_ = 0x100;
  std::array<std::deque<std::vector<std::uint8_t>>, 3> inputQueues_;
  std::array<int, 3> unplugAfter_{-1, -1, -1};
  std::uint8_t lastAck_ = 0;
  int lastSequence_ = -1;
  int ignoreCommands_ = 0;
  int ignoreMacroPackets_ = 0;
  int failAckReads_ = 0;
  int corruptAcks_ = 0;
  std::string statusSignature_ = "1010";
  std::function<void()> changeObserver_;
  std::vector<std::string> log_;
  std::vector<std::vector<std::uint8_t>> sent_;
  std::vector<LinkKind> sentLinks_;
};

std::string HexBytes(std::span<const std::uint8_t> bytes);  // "06 0F 01 ..": upper-case, single spaces

}  // namespace gm::sim
