#pragma once
#include "Platform/System/Module.h"
#include "SVFramework/Controls/Dialog.h"
#include "SVFramework/ControlBase/ControlDescriptor.h"

namespace SV {

// The modal dialog of the Help menu's "About" command ("PresetEditor.DialogAbout", skin child
// "dialogAbout"): the logos and two lines taken at run time from the program's version
// block, the product version in "labelProduct" and the copyright in "labelCopyright", so
// the dialog always matches the build whatever the string tables say. Each command makes a
// new dialog. UI thread only.
class LAboutDlg : public LDialog {
public:
  // The creator registered under "PresetEditor.DialogAbout".
  static RCPtr<LControl>& Create(RCPtr<LControl>& out, const RCPtr<LControl>& parent,
                                         const RCPtr<LControlDescriptor>& descriptor);

  LAboutDlg(const RCPtr<LControl>& parent, const String& name);
  ~LAboutDlg() override;

  // The dialog's initialisation, then both labels filled from the version block (a missing
  // label is skipped): the result of setting the copyright line, or the first failure. A
  // program without a readable version block raises the version reader's runtime error.
  SVRESULT Initialize() override;

  // The module whose version block the dialogs read; null restores the running program.
  // Tests give a module of their own.
  static void UseVersionModule(const ::Platform::System::IModule* module);
};

}  // namespace SV
