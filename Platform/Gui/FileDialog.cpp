#include "Platform/Gui/FileDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>
#include <QWindow>

namespace Platform::Gui {
namespace {

IFileDialogService* gInstalledService = nullptr;

QString ToQt(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

QFileDialog::FileMode FileModeOf(FileDialogRequest::Mode mode) {
  switch (mode) {
    case FileDialogRequest::Mode::OpenMany: return QFileDialog::ExistingFiles;
    case FileDialogRequest::Mode::Save: return QFileDialog::AnyFile;
    default: return QFileDialog::ExistingFile;
  }
}

void Configure(QFileDialog& dialog, const FileDialogRequest& request, bool native) {
  dialog.setOption(QFileDialog::DontUseNativeDialog, !native);
  const bool saving = request.mode == FileDialogRequest::Mode::Save;
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(FileModeOf(request.mode));
  if (!request.title.empty()) dialog.setWindowTitle(ToQt(request.title));
  if (!request.folder.empty()) dialog.setDirectory(ToQt(request.folder));
  QStringList filters;
  for (const std::u16string& filter : request.nameFilters) filters << ToQt(filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(ToQt(request.defaultSuffix));
  if (saving && !request.proposedName.empty()) dialog.selectFile(ToQt(request.proposedName));
}

QWindow* FindWindow(void* handle) {
  for (QWindow* window : QGuiApplication::topLevelWindows()) {
    if (reinterpret_cast<void*>(window->winId()) == handle) return window;
  }
  return nullptr;
}

// The dialog stays above the window that owns it; an unknown handle leaves it free.
void AttachOwner(QFileDialog& dialog, void* owner) {
  QWindow* ownerWindow = owner ? FindWindow(owner) : nullptr;
  if (!ownerWindow) return;
  dialog.winId();
  if (dialog.windowHandle()) dialog.windowHandle()->setTransientParent(ownerWindow);
}

}  // namespace

IFileDialogService& GetFileDialogService() {
  static QtFileDialogService qtService;
  return gInstalledService ? *gInstalledService : qtService;
}

void SetFileDialogService(IFileDialogService* service) { gInstalledService = service; }

std::vector<std::u16string> QtFileDialogService::Run(const FileDialogRequest& request) {
  std::vector<std::u16string> chosen;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return chosen;
  QFileDialog dialog;
  Configure(dialog, request, mNative);
  AttachOwner(dialog, request.owner);
  if (dialog.exec() != QDialog::Accepted) return chosen;
  for (const QString& path : dialog.selectedFiles()) chosen.push_back(path.toStdU16String());
  return chosen;
}

}  // namespace Platform::Gui
