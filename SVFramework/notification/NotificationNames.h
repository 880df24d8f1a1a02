#pragma once

// The names of the notifications that several controls send or listen for.
namespace SV::NotificationName {

inline constexpr const char16_t* kValueChange = u"NID_VALUE_CHANGE";
inline constexpr const char16_t* kSelectionChange = u"NID_SELECTION_CHANGE";
inline constexpr const char16_t* kLeftClick = u"NID_LEFT_CLICK";
inline constexpr const char16_t* kSiblingKey = u"NID_SIBLING_KEY";

}  // namespace SV::NotificationName
