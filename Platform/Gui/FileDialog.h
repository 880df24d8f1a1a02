#pragma once
#include <string>
#include <vector>

namespace Platform::Gui {

// What one modal file dialog is asked to show. Name filters are Qt's
// ("Description (*.a *.b)"), already made from the caller's own filter text.
struct FileDialogRequest {
  enum class Mode { OpenOne, OpenMany, Save };

  Mode mode = Mode::OpenOne;
  std::u16string title;
  std::u16string folder;
  // Save only: the name the dialog proposes in its name field.
  std::u16string proposedName;
  std::vector<std::u16string> nameFilters;
  // Appended to a saved name that has no suffix; no leading dot.
  std::u16string defaultSuffix;
  // The native handle of the window that owns the dialog; 0 for none.
  void* owner = nullptr;
};

// The platform's open and save dialogs. Run shows the dialog modally and returns the
// full paths chosen (one, or several for OpenMany); empty when the user cancelled or
// the dialog could not be shown. Opening accepts only files that exist; saving asks
// before it replaces an existing file. GUI thread only.
class IFileDialogService {
public:
  virtual ~IFileDialogService() = default;
  virtual std::vector<std::u16string> Run(const FileDialogRequest& request) = 0;
};

// The service in use: the one installed with SetFileDialogService, else the Qt
// dialogs (QFileDialog). Tests install their own and restore null afterwards.
IFileDialogService& GetFileDialogService();
void SetFileDialogService(IFileDialogService* service);

// The Qt dialogs. Each Run builds a new QFileDialog, so no mode or filter of an
// earlier dialog carries over. The dialog runs its own nested Qt loop: the
// application's idle pass, which only our EventLoop runs, waits until it closes.
// Without a Qt widget application Run returns empty at once. `native` false keeps
// Qt's own widget dialog even where the desktop offers one of its own.
class QtFileDialogService : public IFileDialogService {
public:
  explicit QtFileDialogService(bool native = true) : mNative(native) {}
  std::vector<std::u16string> Run(const FileDialogRequest& request) override;

private:
  bool mNative;
};

}  // namespace Platform::Gui
