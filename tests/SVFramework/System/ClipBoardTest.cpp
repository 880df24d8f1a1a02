#include "SVFramework/System/ClipBoard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/Utilities/Holder.h"
#include "SVFramework/Utilities/StringPayload.h"
#include "tests/Support/Application/SpyRootWindow.h"
#include "tests/Support/Application/TestApplication.h"
#include "tests/Support/Renderer/GuiTestApplication.h"

namespace SV {
namespace {

// The clipboard object on the real QClipboard of Qt's offscreen platform; "another
// program" is the test writing to QClipboard directly.
class ClipBoardTest : public ::testing::Test {
protected:
  void SetUp() override {
    Testing::EnsureGuiApplication();
    QGuiApplication::clipboard()->clear();
  }

  static QClipboard& System() { return *QGuiApplication::clipboard(); }
  static String TextOf(const RCPtr<LRefCountedObject>& content) {
    return content ? content->ToString() : String(u"<null>");
  }

  RCPtr<LClipboard> clipboard{new LClipboard};
};

TEST_F(ClipBoardTest, OwnCopyIsAnsweredFromTheCacheAndOfferedToOtherPrograms) {
  const RCPtr<LRefCountedObject> copied(MakeStringPayload(u"Grüße, 音"));
  ASSERT_EQ(clipboard->SetText(copied), S_OK);
  EXPECT_EQ(System().text(), QString::fromUtf8("Grüße, 音"));
  EXPECT_EQ(clipboard->GetText().Get(), copied.Get());
}

TEST_F(ClipBoardTest, AnotherProgramsTextIsReadOnceThenAnsweredFromTheCache) {
  clipboard->SetText(RCPtr<LRefCountedObject>(MakeStringPayload(u"ours")));
  System().setText(QStringLiteral("theirs"));
  const RCPtr<LRefCountedObject> first = clipboard->GetText();
  EXPECT_EQ(TextOf(first), String(u"theirs"));
  EXPECT_EQ(clipboard->GetText().Get(), first.Get());
}

TEST_F(ClipBoardTest, AClipboardHoldingOnlyAnImageGivesNoContent) {
  clipboard->SetText(RCPtr<LRefCountedObject>(MakeStringPayload(u"ours")));
  QImage image(4, 4, QImage::Format_ARGB32);
  image.fill(Qt::red);
  System().setImage(image);
  EXPECT_FALSE(clipboard->GetText());
}

TEST_F(ClipBoardTest, ContentThatIsNotTextStaysInTheProcessBehindAPrivateMarker) {
  const RCPtr<LRefCountedObject> object(new LHolder<int>);
  ASSERT_EQ(clipboard->SetText(object), S_OK);
  EXPECT_FALSE(System().mimeData()->hasText());
  EXPECT_EQ(clipboard->GetText().Get(), object.Get());
}

// An owner control that performs cuts and copies only, recording them.
class EditingControl : public LControl {
public:
  EditingControl() : LControl(nullptr, u"editor") {}
  bool IsOwnerControl() const override { return true; }
  bool CanPerformEdit(const String& command) override {
    return command == u"NID_EDIT_CUT_REQ" || command == u"NID_EDIT_COPY_REQ";
  }
  SVRESULT PerformEdit(const String& command) override {
    performed.push_back(std::string(command.ToUTF8().GetString()));
    return S_OK;
  }
  std::vector<std::string> performed;
};

// Edit requests posted to the "application" center, with the focus in a window.
class EditRequestTest : public ::testing::Test {
protected:
  void SetUp() override {
    window = Testing::SpyRootWindow::Create("main", log);
    window->osWindow = &osWindow;
    osWindow.active = true;
    application->AddRootWindow(RCPtr<LRootWindow>(window));
    ASSERT_EQ(application->Initialize(), S_OK);
  }
  void TearDown() override {
    window->Forget();
    window->osWindow = nullptr;
    application->Shutdown();
    application.Reset();
  }
  void Request(const char16_t* id) {
    GetApplicationNotificationCenter()->PostNotification(id, nullptr);
    application->Idle(false);
  }

  std::vector<std::string> log;
  Testing::FakePlatformApplication platform{log};
  Testing::StandInOSWindow osWindow;
  RCPtr<Testing::TestApplication> application{new Testing::TestApplication};
  RCPtr<Testing::SpyRootWindow> window;
};

TEST_F(EditRequestTest, RequestsReachTheFocusedOwnerControlOnlyForEditsItCanPerform) {
  RCPtr<EditingControl> editor(new EditingControl);
  window->focus = RCPtr<LControl>(editor);
  for (const char16_t* id : {u"NID_EDIT_CUT_REQ", u"NID_EDIT_PASTE_REQ", u"NID_EDIT_COPY_REQ", u"NID_EDIT_DELETE_REQ"})
    Request(id);
  EXPECT_EQ(editor->performed, (std::vector<std::string>{"NID_EDIT_CUT_REQ", "NID_EDIT_COPY_REQ"}));
  EXPECT_TRUE(application->GetClipboard()->CanPerformEdit(u"NID_EDIT_CUT_REQ"));
  EXPECT_FALSE(application->GetClipboard()->CanPerformEdit(u"NID_EDIT_PASTE_REQ"));
}

TEST_F(EditRequestTest, RequestsDoNothingWithoutAnActiveWindowOrAnOwnerControl) {
  RCPtr<EditingControl> editor(new EditingControl);
  window->focus = RCPtr<LControl>(new LControl(nullptr, u"plain"));
  Request(u"NID_EDIT_CUT_REQ");
  window->focus = RCPtr<LControl>(editor);
  osWindow.active = false;
  Request(u"NID_EDIT_CUT_REQ");
  EXPECT_TRUE(editor->performed.empty());
  EXPECT_FALSE(application->GetClipboard()->CanPerformEdit(u"NID_EDIT_CUT_REQ"));
}

}  // namespace
}  // namespace SV
