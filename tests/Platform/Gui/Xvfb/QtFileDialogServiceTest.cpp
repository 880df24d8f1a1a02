#include "Platform/Gui/FileDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

#include "Platform/Gui/EventLoop.h"
#include "tests/Support/Application/XvfbDisplay.h"
#include "tests/Support/TemporaryFolder.h"

namespace Platform::Gui {
namespace {

// One X server and one Qt widget application on it for the whole test program.
class XvfbEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    display = std::make_unique<SV::Testing::XvfbDisplay>();
    ASSERT_FALSE(display->Name().empty()) << "Xvfb did not start";
    setenv("DISPLAY", display->Name().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    static int argc = 1;
    static char name[] = "PlatformGuiXvfbTests";
    static char* argv[] = {name, nullptr};
    application = new QApplication(argc, argv);
  }
  void TearDown() override {
    delete application;
    display.reset();
  }

  std::unique_ptr<SV::Testing::XvfbDisplay> display;
  QApplication* application = nullptr;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

// Waits for the first file dialog to be shown, then types `name` into its name field
// key by key, as a user would, and accepts the dialog.
class TypingUser : public QObject {
public:
  explicit TypingUser(QString name) : mName(std::move(name)) {
    qApp->installEventFilter(this);
    // A dialog that does not close (a warning box over it, a refused name) fails the
    // test instead of hanging it.
    mWatchdog.setSingleShot(true);
    QObject::connect(&mWatchdog, &QTimer::timeout, [] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) dialog->reject();
      }
    });
    mWatchdog.start(20000);
  }
  ~TypingUser() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* dialog = qobject_cast<QFileDialog*>(watched);
    if (dialog && event->type() == QEvent::Show && !shownTitle) {
      shownTitle = dialog->windowTitle();
      QMetaObject::invokeMethod(this, [this, dialog] { TypeAndAccept(*dialog); }, Qt::QueuedConnection);
    }
    return false;
  }

  std::optional<QString> shownTitle;
  QString typed;

private:
  void TypeAndAccept(QFileDialog& dialog) {
    QLineEdit* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!field) return dialog.reject();
    field->setFocus();
    for (const QChar character : mName) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
      QCoreApplication::sendEvent(field, &press);
      QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(character));
      QCoreApplication::sendEvent(field, &release);
    }
    typed = field->text();
    static_cast<QDialog&>(dialog).accept();
  }

  QString mName;
  QTimer mWatchdog;
};

TEST(QtFileDialogService, AFileNameTypedIntoTheDialogIsChosenWhileTheIdlePassWaits) {
  SV::Testing::TemporaryFolder folder;
  folder.WriteFile("Lead.corvex", "x");
  folder.WriteFile("Pad.corvex", "y");
  TypingUser user(QStringLiteral("Pad.corvex"));
  FileDialogRequest request;
  request.title = u"Open Preset";
  request.folder = QString::fromStdString(folder.Path()).toStdU16String();
  request.nameFilters = {u"Corvex Editor (*.corvex)", u"All Files (*)"};
  QtFileDialogService service(false);

  std::vector<std::u16string> chosen;
  int idleCallsDuringDialog = 0;
  bool dialogRunning = false;
  EventLoop loop([&](int) {
    if (dialogRunning) {
      ++idleCallsDuringDialog;
      return false;
    }
    dialogRunning = true;
    chosen = service.Run(request);
    dialogRunning = false;
    loop.Quit(0);
    return false;
  });
  loop.Run();

  ASSERT_TRUE(user.shownTitle.has_value()) << "no dialog was shown";
  EXPECT_EQ(user.shownTitle->toStdString(), "Open Preset");
  EXPECT_EQ(user.typed.toStdString(), "Pad.corvex");
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(QString::fromStdU16String(chosen[0]).toStdString(), folder.PathOf("Pad.corvex"));
  EXPECT_EQ(idleCallsDuringDialog, 0);
}

}  // namespace
}  // namespace Platform::Gui
