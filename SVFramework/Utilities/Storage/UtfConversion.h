#pragma once
#include <cstddef>
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/BufferT.h"

namespace SV {

// Outcome of a raw UTF conversion.
enum class UtfResult {
  Complete = 0,
  SourceExhausted = 1,  // a sequence or surrogate pair cut off by the end of the input
  TargetExhausted = 2,
  SourceIllegal = 3,
};

// The Unicode reference conversions in lenient mode. They read [source, sourceEnd)
// and write into [target, targetEnd); on return `source` and `target` point past
// what was converted, so the output before a stop is kept.
// UTF-8 input: an illegal sequence stops the conversion; a surrogate code point or a
// value above U+10FFFF becomes U+FFFD.
UtfResult ConvertUtf8ToUtf16(const uint8_t*& source, const uint8_t* sourceEnd, char16_t*& target,
                             char16_t* targetEnd);
// UTF-16 input: a pair becomes one four-byte sequence; a lone high surrogate at the
// very end stops with SourceExhausted; other unpaired surrogates are encoded as is.
UtfResult ConvertUtf16ToUtf8(const char16_t*& source, const char16_t* sourceEnd, uint8_t*& target,
                             uint8_t* targetEnd);

// Fills `buffer` with the UTF-16 text of `length` bytes of UTF-8 (negative: the whole
// text and its terminator). A null or empty text gives the shared empty wide buffer.
// 0 when the conversion completed, E_FAIL when it stopped; the buffer then holds
// what was converted before the stop.
SVRESULT ConvertFromUTF8(RCPtr<LIBuffer>& buffer, const char* text, int32_t length);
// The same in the other direction: `length` UTF-16 units (negative: all and the terminator).
SVRESULT ConvertToUTF8(RCPtr<LIBuffer>& buffer, const char16_t* text, int32_t length);

}  // namespace SV
