#include "SVFramework/Controls/FileDialog.h"

#include <string>
#include <vector>

#include "Platform/Gui/FileDialog.h"
#include "SVFramework/Application/AppMessageBox.h"
#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/Controls/FileDialogFilters.h"
#include "SVFramework/System/WindowOSServices.h"
#include "SVFramework/Utilities/Storage/SVFile.h"

namespace SV {
namespace {

using Request = ::Platform::Gui::FileDialogRequest;

constexpr uint32_t kErrorIcon = 0x10;

void* ActiveWindowHandle() {
  LFrameworkApp* application = GetFrameworkApp();
  const RCPtr<LRootWindow> active = application ? application->GetActiveRootWindow() : RCPtr<LRootWindow>();
  IWindowOSServices* osWindow = active ? active->GetOSWindow() : nullptr;
  return osWindow ? osWindow->GetHWND() : nullptr;
}

String FromText(const std::u16string& text) {
  return String(text.c_str());
}

}  // namespace

struct LFileDialog::State {
  ::Platform::Gui::IFileDialogService* service = nullptr;
  void* owner = nullptr;
  String filePath;
  String folder;
  StringArrayT<char16_t, char> selectedFiles;

  ::Platform::Gui::IFileDialogService& Service() const {
    return service ? *service : ::Platform::Gui::GetFileDialogService();
  }

  // The mode is part of every request: no dialog inherits the previous one's.
  std::vector<std::u16string> Run(Request::Mode mode, const String& filter, const String& defaultExtension,
                                  const String& title) {
    Request request;
    request.mode = mode;
    request.title = title.GetString();
    request.folder = folder.GetString();
    request.nameFilters = MakeFileDialogNameFilters(filter);
    request.defaultSuffix = MakeFileDialogDefaultSuffix(defaultExtension);
    request.owner = owner;
    if (mode == Request::Mode::Save) request.proposedName = u"Untitled";
    return Service().Run(request);
  }
};

LFileDialog::LFileDialog(const String& initialFolder, ::Platform::Gui::IFileDialogService* service)
    : mState(std::make_unique<State>()) {
  mState->service = service;
  mState->owner = ActiveWindowHandle();
  mState->folder = initialFolder;
}

LFileDialog::~LFileDialog() = default;

SVRESULT LFileDialog::ShowOpenDialog(const String& filter, const String& defaultExtension, const String& title,
                                     bool multipleSelection) {
  mState->filePath.Empty();
  const Request::Mode mode = multipleSelection ? Request::Mode::OpenMany : Request::Mode::OpenOne;
  const std::vector<std::u16string> chosen = mState->Run(mode, filter, defaultExtension, title);
  if (chosen.empty()) return E_FAIL;
  mState->filePath = FromText(chosen.front());
  mState->folder = File::GetFolderPart(mState->filePath);
  if (multipleSelection) {
    mState->selectedFiles.RemoveAll();
    for (const std::u16string& path : chosen) mState->selectedFiles.Append(FromText(path));
  }
  return 0;
}

SVRESULT LFileDialog::ShowSaveDialog(const String& filter, const String& defaultExtension, const String& title,
                                     int32_t maximumNameLength) {
  if (maximumNameLength == 0) return E_INVALIDARG;
  mState->filePath.Empty();
  const std::vector<std::u16string> chosen = mState->Run(Request::Mode::Save, filter, defaultExtension, title);
  if (chosen.empty()) return E_FAIL;
  const String path = FromText(chosen.front());
  if (maximumNameLength > 0 && File::GetFileNamePart(path).GetLength() > maximumNameLength) {
    const String text =
        String::FromFormat(u"The file length is larger than the maximum limit of %d characters ", maximumNameLength);
    ShowAppMessageBox(text, u"File Save Error", kErrorIcon);
    return E_FAIL;
  }
  mState->filePath = path;
  mState->folder = File::GetFolderPart(path);
  return 0;
}

String LFileDialog::GetFilePath() const { return mState->filePath; }

String LFileDialog::GetFolder() const { return mState->folder; }

const StringArrayT<char16_t, char>& LFileDialog::GetSelectedFiles() const { return mState->selectedFiles; }

}  // namespace SV
