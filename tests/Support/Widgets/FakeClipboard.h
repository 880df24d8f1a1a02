#pragma once
#include <cstdint>
#include <string>

#include "Platform/Gui/Clipboard.h"

namespace SV::Testing {

// The platform clipboard in memory: text or the private marker, a change count that
// grows with every write (or when the test calls ChangeOutside), and writes that can
// be refused. Test thread only.
class FakeClipboard : public ::Platform::Gui::IClipboard {
public:
  uint32_t GetChangeCount() const override { return changeCount; }
  bool HasText() const override { return hasText; }
  bool HasPrivateMarker() const override { return hasMarker; }
  bool ReadText(std::u16string& out) const override {
    if (!hasText) return false;
    out = text;
    return true;
  }
  bool WriteText(const std::u16string& newText) override {
    if (refuseWrites) return false;
    text = newText;
    hasText = true;
    hasMarker = false;
    ++changeCount;
    return true;
  }
  bool WritePrivateMarker() override {
    if (refuseWrites) return false;
    hasText = false;
    hasMarker = true;
    ++changeCount;
    return true;
  }
  // Another program puts text on the clipboard.
  void ChangeOutside(const std::u16string& newText) {
    text = newText;
    hasText = true;
    hasMarker = false;
    ++changeCount;
  }

  std::u16string text;
  bool hasText = false;
  bool hasMarker = false;
  bool refuseWrites = false;
  uint32_t changeCount = 1;
};

}  // namespace SV::Testing
