#pragma once
#include "SVFramework/ControlBase/LayoutDescriptor.h"
#include "SVFramework/ControlBase/XmlAttributes.h"

namespace SV {

// Fills a placement record from the layout attributes of a SubControl element; an
// absent attribute keeps the record's value. TabStop and IsVisible are skipped for
// a top-level control of a skin. Any thread; one record at a time.
class LayoutAttributes {
public:
  // The attribute names of one size limit.
  struct LimitNames {
    const char16_t* toControl;
    const char16_t* rel;
    const char16_t* abs;
  };

  static void Read(const XmlAttributes& attributes, bool topLevel, LLayoutDescriptor& layout);

private:
  static void ReadAxis(const XmlAttributes& attributes, int32_t axis, LLayoutDescriptor& layout);
  static void ReadLimit(const XmlAttributes& attributes, const LimitNames& names, LSizeLimitSpec& limit);
  static void ReadTextOverflow(const XmlAttributes& attributes, LLayoutDescriptor& layout);
};

}  // namespace SV
