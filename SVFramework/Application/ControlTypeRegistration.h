#pragma once
#include <span>

#include "SVFramework/ControlBase/ControlCreateFunction.h"

namespace SV {

class LControlFactory;

// One control class as skins name it, with the function that creates it.
struct ControlTypeEntry {
  const char16_t* className;  // compared exactly, letter case included
  LControlCreateFunction create;
};

// The framework's control classes ("Framework." names), in registration order. The
// table grows with the control library: a widget is listed once it exists.
std::span<const ControlTypeEntry> GetFrameworkControlTypes();

// Registers every entry with the factory in table order. A failed registration raises
// SV::Exception<SV::FailedResultException> naming the class; later entries are then
// not registered. UI thread, during start-up.
void RegisterControlTypes(LControlFactory& factory, std::span<const ControlTypeEntry> entries);

}  // namespace SV
