#pragma once
#include <cstdint>
#include <string>

namespace Platform::Gui {

// The platform clipboard as the application's clipboard object uses it: Unicode text,
// a private marker for content that lives only inside the process, and a change
// count that grows whenever anyone changes the clipboard. GUI thread only.
class IClipboard {
public:
  virtual ~IClipboard() = default;
  virtual uint32_t GetChangeCount() const = 0;
  virtual bool HasText() const = 0;
  // Whether the clipboard holds this process's private marker.
  virtual bool HasPrivateMarker() const = 0;
  // The text, UTF-16; false when none could be read.
  virtual bool ReadText(std::u16string& text) const = 0;
  // Replaces the content by the text, also offered as UTF-8; false when refused.
  virtual bool WriteText(const std::u16string& text) = 0;
  // Replaces the content by the private marker alone.
  virtual bool WritePrivateMarker() = 0;
};

// The clipboard of the running Qt GUI application (QClipboard); null before one
// exists. The change count follows QClipboard::dataChanged.
IClipboard* GetSystemClipboard();

}  // namespace Platform::Gui
