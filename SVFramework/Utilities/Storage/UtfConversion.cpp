#include "SVFramework/Utilities/Storage/UtfConversion.h"

#include <cstring>
#include <string>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kHighSurrogateStart = 0xD800, kHighSurrogateEnd = 0xDBFF;
constexpr char32_t kLowSurrogateStart = 0xDC00, kLowSurrogateEnd = 0xDFFF;

// Number of trailing bytes that follow a lead byte (values 4 and 5 are never legal).
constexpr uint8_t TrailingBytes(uint8_t lead) {
  if (lead < 0xC0) return 0;
  if (lead < 0xE0) return 1;
  if (lead < 0xF0) return 2;
  if (lead < 0xF8) return 3;
  if (lead < 0xFC) return 4;
  return 5;
}

constexpr char32_t kOffsetsFromUtf8[6] = {0x00000000, 0x00003080, 0x000E2080,
                                          0x03C82080, 0xFA082080, 0x82082080};
constexpr uint8_t kFirstByteMark[5] = {0x00, 0x00, 0xC0, 0xE0, 0xF0};

bool IsLegalUtf8(const uint8_t* sequence, int length) {
  if (length < 1 || length > 4) return false;
  const uint8_t lead = sequence[0];
  for (int i = length - 1; i >= 1; --i) {
    const uint8_t trail = sequence[i];
    if (trail < 0x80 || trail > 0xBF) return false;
  }
  if (length >= 2) {
    const uint8_t second = sequence[1];
    switch (lead) {
      case 0xE0: if (second < 0xA0) return false; break;
      case 0xED: if (second > 0x9F) return false; break;
      case 0xF0: if (second < 0x90) return false; break;
      case 0xF4: if (second > 0x8F) return false; break;
      default: break;
    }
  }
  if (lead >= 0x80 && lead < 0xC2) return false;
  return lead <= 0xF4;
}

bool IsSurrogate(char32_t ch) { return ch >= kHighSurrogateStart && ch <= kLowSurrogateEnd; }

}  // namespace

UtfResult ConvertUtf8ToUtf16(const uint8_t*& source, const uint8_t* sourceEnd, char16_t*& target,
                             char16_t* targetEnd) {
  while (source < sourceEnd) {
    const int trailing = TrailingBytes(*source);
    if (trailing >= sourceEnd - source) return UtfResult::SourceExhausted;
    if (!IsLegalUtf8(source, trailing + 1)) return UtfResult::SourceIllegal;
    char32_t ch = 0;
    for (int i = 0; i <= trailing; ++i) ch = (ch << 6) + source[i];
    ch -= kOffsetsFromUtf8[trailing];
    if (target >= targetEnd) return UtfResult::TargetExhausted;
    if (ch <= 0xFFFF) {
      *target++ = static_cast<char16_t>(IsSurrogate(ch) ? kReplacementCharacter : ch);
    } else if (ch > kMaxCodePoint) {
      *target++ = static_cast<char16_t>(kReplacementCharacter);
    } else {
      if (target + 1 >= targetEnd) return UtfResult::TargetExhausted;
      ch -= 0x10000;
      *target++ = static_cast<char16_t>((ch >> 10) + kHighSurrogateStart);
      *target++ = static_cast<char16_t>((ch & 0x3FF) + kLowSurrogateStart);
    }
    source += trailing + 1;
  }
  return UtfResult::Complete;
}

UtfResult ConvertUtf16ToUtf8(const char16_t*& source, const char16_t* sourceEnd, uint8_t*& target,
                             uint8_t* targetEnd) {
  while (source < sourceEnd) {
    const char16_t* start = source;
    char32_t ch = *source++;
    if (ch >= kHighSurrogateStart && ch <= kHighSurrogateEnd) {
      if (source == sourceEnd) {
        source = start;
        return UtfResult::SourceExhausted;
      }
      const char32_t low = *source;
      if (low >= kLowSurrogateStart && low <= kLowSurrogateEnd) {
        ch = ((ch - kHighSurrogateStart) << 10) + (low - kLowSurrogateStart) + 0x10000;
        ++source;
      }
    }
    const int bytes = ch < 0x80 ? 1 : ch < 0x800 ? 2 : ch < 0x10000 ? 3 : 4;
    if (targetEnd - target < bytes) {
      source = start;
      return UtfResult::TargetExhausted;
    }
    for (int i = bytes - 1; i >= 1; --i) {
      target[i] = static_cast<uint8_t>((ch | 0x80) & 0xBF);
      ch >>= 6;
    }
    target[0] = static_cast<uint8_t>(ch | kFirstByteMark[bytes]);
    target += bytes;
  }
  return UtfResult::Complete;
}

namespace {

// Runs `convert` into a new zero-filled buffer of `capacity` units, terminates it and
// cuts its size to the text before the first zero.
template <class OutChar, class Convert>
SVRESULT ConvertIntoNewBuffer(RCPtr<LIBuffer>& buffer, uint64_t capacity, Convert convert) {
  if (capacity * sizeof(OutChar) > UINT32_MAX) RaiseBadAllocation();
  buffer = LStringBuffer::Create(static_cast<uint32_t>(capacity * sizeof(OutChar)), 0, true);
  OutChar* begin = static_cast<OutChar*>(buffer->GetData());
  OutChar* end = begin + capacity;
  const UtfResult result = convert(begin, end);
  end[-1] = 0;
  const size_t length = std::char_traits<OutChar>::length(begin);
  buffer->SetSize(static_cast<uint32_t>((length + 1) * sizeof(OutChar)));
  return result == UtfResult::Complete ? S_OK : E_FAIL;
}

}  // namespace

SVRESULT ConvertFromUTF8(RCPtr<LIBuffer>& buffer, const char* text, int32_t length) {
  if (!text || !*text) {
    buffer = StringT<char16_t, char>::SharedEmptyBuffer();
    return S_OK;
  }
  const uint64_t bytes = length < 0 ? std::strlen(text) + 1 : static_cast<uint64_t>(length);
  return ConvertIntoNewBuffer<char16_t>(buffer, bytes + 1, [&](char16_t* begin, char16_t* end) {
    const auto* source = reinterpret_cast<const uint8_t*>(text);
    char16_t* target = begin;
    return ConvertUtf8ToUtf16(source, source + bytes, target, end - 1);
  });
}

SVRESULT ConvertToUTF8(RCPtr<LIBuffer>& buffer, const char16_t* text, int32_t length) {
  if (!text || !*text) {
    buffer = StringT<char, char16_t>::SharedEmptyBuffer();
    return S_OK;
  }
  const uint64_t units = length < 0 ? std::char_traits<char16_t>::length(text) + 1 : static_cast<uint64_t>(length);
  return ConvertIntoNewBuffer<char>(buffer, units * 4 + 1, [&](char* begin, char* end) {
    const char16_t* source = text;
    auto* target = reinterpret_cast<uint8_t*>(begin);
    return ConvertUtf16ToUtf8(source, source + units, target, reinterpret_cast<uint8_t*>(end - 1));
  });
}

}  // namespace SV
