#pragma once
#include <string>

namespace Platform::Gui {

// Opens a document file with the desktop's application for its type (a PDF viewer for a
// PDF), without waiting for that application. Open answers whether the desktop accepted the
// file: false for a file that does not exist or that no application took. GUI thread only.
class IDocumentOpener {
public:
  virtual ~IDocumentOpener() = default;
  virtual bool Open(const std::u16string& path) = 0;
};

// The opener in use: the one installed with SetDocumentOpener, else the desktop's
// (QtDocumentOpener). Tests install their own and restore null afterwards.
IDocumentOpener& GetDocumentOpener();
void SetDocumentOpener(IDocumentOpener* opener);

// The desktop's opener through Qt (QDesktopServices): a missing file is refused before the
// desktop is asked; without a Qt GUI application nothing is opened.
class QtDocumentOpener : public IDocumentOpener {
public:
  bool Open(const std::u16string& path) override;
};

}  // namespace Platform::Gui
