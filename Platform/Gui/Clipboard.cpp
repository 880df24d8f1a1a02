#include "Platform/Gui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace Platform::Gui {
namespace {

constexpr const char* kPrivateMarkerType = "application/x-corvex-editor-private";

// QClipboard behind IClipboard; counts dataChanged signals.
class QtClipboard : public IClipboard {
public:
  explicit QtClipboard(QClipboard* clipboard) : mClipboard(clipboard) {
    QObject::connect(clipboard, &QClipboard::dataChanged, [this] { ++mChangeCount; });
  }

  uint32_t GetChangeCount() const override { return mChangeCount; }
  bool HasText() const override {
    const QMimeData* data = mClipboard->mimeData();
    return data && data->hasText();
  }
  bool HasPrivateMarker() const override {
    const QMimeData* data = mClipboard->mimeData();
    return data && data->hasFormat(kPrivateMarkerType);
  }
  bool ReadText(std::u16string& text) const override {
    if (!HasText()) return false;
    text = mClipboard->text().toStdU16String();
    return true;
  }
  bool WriteText(const std::u16string& text) override {
    mClipboard->setText(QString::fromStdU16String(text));
    return true;
  }
  bool WritePrivateMarker() override {
    auto* data = new QMimeData;
    data->setData(kPrivateMarkerType, QByteArray());
    mClipboard->setMimeData(data);
    return true;
  }

private:
  QClipboard* mClipboard;
  uint32_t mChangeCount = 1;
};

}  // namespace

IClipboard* GetSystemClipboard() {
  if (!QGuiApplication::instance()) return nullptr;
  static QtClipboard clipboard(QGuiApplication::clipboard());
  return &clipboard;
}

}  // namespace Platform::Gui
