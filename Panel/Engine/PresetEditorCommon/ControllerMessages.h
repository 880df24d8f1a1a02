#pragma once
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamValue.h"
#include "Panel/Engine/PresetEditorCommon/SimpleFixedArray.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/Iterable.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The controller's System Exclusive messages, byte for byte: building what the editor
// sends (get preset, send preset, global setting, the universal Identity Request) and
// recognising what the controller answers (preset dump, Identity Reply). Manufacturer
// byte 7D, model byte 31. Stateless: every operation may be called from any thread.
//
// Received messages are read as a MIDI receiver reads them: real-time bytes (F8 to FF)
// are taken out wherever they stand, and a message whose body holds any other byte of
// 0x80 or more is not one message. Nothing that is built ever holds such a byte inside
// its body: a value that would need one is refused and nothing is built.
//
// Byte arrays are SV::IArray of signed char. Every builder empties its out array
// first and leaves it empty when it fails.
class ControllerMessages {
public:
  static constexpr uint32_t kParameterCount = 24;
  // Get preset request and global setting, framed.
  static constexpr uint32_t kShortMessageLength = 9;
  // Preset dump and send preset, framed.
  static constexpr uint32_t kPresetMessageLength = 32;
  static constexpr uint32_t kIdentityRequestLength = 6;
  static constexpr uint32_t kIdentityReplyLength = 35;

  // The buffer the universal Identity Request is sent from.
  using IdentityRequestBuffer = SimpleFixedArray<signed char, 8>;

  // The get-preset request without its frame: 7D 7F 31 66 00 01 00 (framed:
  // F0 7D 7F 31 66 00 01 00 F7). S_OK, or E_FAIL when the array cannot hold it.
  static SVRESULT BuildPresetRequest(IArray<signed char>& out);

  // The start of a send-preset message: 7D 7F 31 5E 00 19. S_OK or E_FAIL as above.
  static SVRESULT BuildPresetHeader(IArray<signed char>& out);

  // The send-preset message without its frame: the header, then the 24 values in the
  // given order (ParamID order), one byte each; framed it is the 32 bytes
  // F0 7D 7F 31 5E 00 19 P0 ... P23 F7. Each value must be a byte buffer of one byte
  // below 0x80. Results: S_OK; E_FAIL when there are not exactly 24 values, a value
  // is not a byte buffer (tag 14) or does not hold exactly one byte, or the array
  // cannot hold the message; E_NOTIMPL for a packed array (tag 16); E_INVALIDARG for
  // a byte of 0x80 or more, which the controller would read as a status byte.
  static SVRESULT BuildPresetMessage(const IArray<ParamValue>& values, IArray<signed char>& out);

  // True when the name is one of "WHITE KEY CURVE", "BLACK KEY CURVE" (values 0 to 6),
  // "WHITE KEY SENSITIVITY", "BLACK KEY SENSITIVITY" (values 0 to 100), compared
  // case-sensitively, and the value lies in its range. Negative values are refused:
  // their low eight bits would reach the controller as a status byte.
  static bool IsGlobalSettingValueValid(const String& name, int32_t value);

  // The framed global-setting message F0 7D 7F 31 cc 00 01 vv F7, cc being 0A to 0D
  // for the four names in the order above. S_OK, or E_FAIL (out empty) for a name or
  // value that IsGlobalSettingValueValid refuses.
  static SVRESULT BuildGlobalSettingMessage(const String& name, int32_t value, IArray<signed char>& out);

  // The universal Identity Request F0 7E 7F 06 01 F7, framed. S_OK or E_FAIL as above.
  static SVRESULT BuildIdentityRequest(IArray<signed char>& out);

  // True when the message, real-time bytes taken out, has 32 bytes beginning
  // F0 7D 7F 31 53 00 19 and holds no status byte in positions 1 to 30. The last
  // byte is not looked at.
  static bool IsPresetDump(const IArray<signed char>& message);

  // The 24 values of a preset dump: exactly one byte each from positions 7 to 30,
  // appended to the emptied `values` as one-byte buffers under the ParamIDs
  // firstParamID to firstParamID + 23. E_FAIL, `values` untouched, when the message is
  // not a preset dump; E_INVALIDARG when the ParamIDs would pass the largest ParamID.
  static SVRESULT ParsePresetDump(const IArray<signed char>& message, int32_t firstParamID,
                                  Array<ParamValue>& values);

  // True when the message, real-time bytes taken out, has 35 bytes with F0 at
  // position 0, 7E at 1, 06 at 3 and 02 at 4 (position 2, the device, may hold any
  // data byte) and holds no status byte in positions 1 to 33.
  static bool IsIdentityReply(const IArray<signed char>& message);

  // The firmware version of an Identity Reply: the bytes at positions 9 to 12 as
  // "%d%d.%d%d" (0 1 1 2 gives "01.12"). S_OK, or E_FAIL with the text untouched when
  // the message is not an Identity Reply.
  static SVRESULT ParseIdentityReply(const IArray<signed char>& message, String& firmwareVersion);

  // Frames a message in place for sending: F0 is put in front unless it begins with
  // F0, F7 appended unless it ends with F7; a single byte other than F0 and F7 becomes
  // F0 byte F7. S_OK; E_FAIL, unchanged, for an empty message, a single F0 or F7, or
  // an array too small for the frame; E_INVALIDARG, unchanged, when a byte between the
  // frame is 0x80 or more (the controller would end or break the message there).
  static SVRESULT FrameSystemExclusive(IArray<signed char>& message);
};

}  // namespace SV
