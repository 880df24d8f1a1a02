#pragma once
#include <cstdint>
#include <memory>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/StringArrayT.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace Platform::Gui {
class IFileDialogService;
}

namespace SV {

// Files chosen through the platform's modal open and save dialogs. Filters are
// "|"-separated description and pattern pairs; the folder starts as the one given
// and then follows every successful choice, so each dialog of the object opens where
// the last one ended. The dialogs are owned by the application's active root window
// at construction. Not a control: the caller makes one and reuses it for every
// dialog. UI thread only; the dialogs run their own modal loop, during which the
// application's idle pass does not run.
class LFileDialog : public virtual LRefCountedObject {
public:
  // `service` null: the platform's dialogs in use (Platform::Gui::GetFileDialogService).
  explicit LFileDialog(const String& initialFolder, ::Platform::Gui::IFileDialogService* service = nullptr);
  ~LFileDialog() override;
  LFileDialog(const LFileDialog&) = delete;
  LFileDialog& operator=(const LFileDialog&) = delete;

  // An existing file (or several with multipleSelection). 0 when the user chose,
  // E_FAIL when the dialog was cancelled or failed; the folder then stays.
  SVRESULT ShowOpenDialog(const String& filter, const String& defaultExtension, const String& title,
                          bool multipleSelection);
  // A file name to save under, proposed as "Untitled"; the dialog asks before it
  // replaces a file. With a positive maximum a chosen name (without folder) longer
  // than it shows the "File Save Error" box and fails; a negative maximum means no
  // limit. 0 when a name was chosen, E_INVALIDARG for a maximum of 0 (no dialog),
  // E_FAIL when cancelled, failed or too long; the folder then stays.
  SVRESULT ShowSaveDialog(const String& filter, const String& defaultExtension, const String& title,
                          int32_t maximumNameLength);

  // The full path chosen by the last successful dialog (the first of a multiple
  // selection); empty after a dialog that failed.
  String GetFilePath() const;
  // The initial folder, or the folder of the last successful choice.
  String GetFolder() const;
  // The full paths of the last successful multiple selection.
  const StringArrayT<char16_t, char>& GetSelectedFiles() const;

private:
  struct State;
  std::unique_ptr<State> mState;
};

}  // namespace SV
