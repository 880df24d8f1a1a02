#pragma once
#include "Panel/Engine/PresetEditorCommon/MidiManager.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {

// What the editor's dialogs and device view ask of the application object for every
// device request: its MIDI manager. The editor's application object answers it; a test
// application offers a manager of its own. UI thread only.
class IMidiManagerSource {
public:
  virtual ~IMidiManagerSource() = default;
  // A new shared reference to the MIDI manager; null before there is one.
  virtual RCPtr<LMidiManager> GetMidiManager() = 0;
};

// The application object's MIDI manager; null without an application object, when it
// offers none, or before it has made one. UI thread only.
RCPtr<LMidiManager> GetApplicationMidiManager();

}  // namespace SV
