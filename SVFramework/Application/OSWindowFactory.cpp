#include "SVFramework/Application/OSWindowFactory.h"

namespace SV {
namespace {

IOSWindowFactory* gFactory = nullptr;

}  // namespace

IOSWindowFactory* GetOSWindowFactory() { return gFactory; }

void SetOSWindowFactory(IOSWindowFactory* factory) { gFactory = factory; }

}  // namespace SV
