#include "Platform/Gui/DocumentOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>
#include <QUrl>

namespace Platform::Gui {
namespace {

IDocumentOpener* gInstalledOpener = nullptr;

}  // namespace

IDocumentOpener& GetDocumentOpener() {
  static QtDocumentOpener qtOpener;
  return gInstalledOpener ? *gInstalledOpener : qtOpener;
}

void SetDocumentOpener(IDocumentOpener* opener) { gInstalledOpener = opener; }

bool QtDocumentOpener::Open(const std::u16string& path) {
  const QFileInfo file(QString::fromStdU16String(path));
  if (!file.isFile()) return false;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

}  // namespace Platform::Gui
