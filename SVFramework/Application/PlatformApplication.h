#pragma once
#include <cstdint>
#include <exception>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class IWindowOSServices;

// What the application base asks of the static platform application object (the one
// that starts the process and runs its loop). The platform object installs itself;
// tests install fakes, so no test blocks on a real message box or loop. UI thread only.
class IPlatformApplication {
public:
  virtual ~IPlatformApplication() = default;

  // The language of every string table, chosen at start.
  virtual int32_t GetLanguageID() const = 0;
  // A modal message box owned by `owner` (null: no owner); the answer, 0 on failure.
  virtual int32_t ShowMessageBox(const String& text, const String& caption, uint32_t style,
                                 IWindowOSServices* owner) = 0;
  // Runs the platform message loop with the idle rule until QuitMessageLoop; an
  // exception caught at an event or idle boundary ends it and is rethrown from here.
  virtual void RunMessageLoop() = 0;
  // Ends the running message loop with `code`.
  virtual void QuitMessageLoop(int32_t code) = 0;
  // An exception caught at an event boundary while no loop ran and that no loop has
  // picked up since, no longer kept; null when there is none.
  virtual std::exception_ptr TakeKeptException() { return nullptr; }
  // Hosted mode: the native window of the host program the application runs inside;
  // 0 when the application runs on its own.
  virtual uintptr_t GetHostWindow() const { return 0; }
};

// The installed platform object, or null.
IPlatformApplication* GetPlatformApplication();
void SetPlatformApplication(IPlatformApplication* platform);

}  // namespace SV
