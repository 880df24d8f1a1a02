#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cstdlib>
#include <string>
#include <vector>

#include "SVFramework/Application/QtFrameworkApp.h"
#include "SVFramework/Application/QtOSWindow.h"
#include "SVFramework/Application/QtOSWindowFactory.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/notification/NotificationCenter.h"
#include "SVFramework/notification/NotificationCenterManager.h"
#include "tests/Support/Application/QtWait.h"
#include "tests/Support/Application/TestApplication.h"
#include "tests/Support/Skins/SkinFixtures.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

using Lines = std::vector<std::string>;

// A control that fills itself with one colour, another while it has been pressed, and
// notes each paint of its own content.
class Pad : public LControl {
public:
  using LControl::LControl;

  SVRESULT PaintContent(const RCPtr<LRenderer>& renderer, const RectT<double>&) override {
    paints.push_back(NarrowString(GetName()).GetString());
    // The renderer fills in window coordinates.
    const PointT<double> origin = GetScreenPosition();
    renderer->FillRect(RectT<double>{origin.x, origin.y, GetRect().width, GetRect().height}.ToIntRect(),
                       Color::FromARGB(pressed ? 0xFFC02040 : ColourOf(GetName())), false);
    return S_OK;
  }
  SVRESULT OnMouseDown(const RCPtr<LMouseButtonParam>&) override {
    pressed = true;
    return InvalidateRect({0, 0, GetRect().width, GetRect().height}, true);
  }

  static inline Lines paints;

private:
  static uint32_t ColourOf(const String& name) {
    if (name == u"mainControl") return 0xFF203040;
    return name == u"a" ? 0xFFE0A020 : 0xFF30C060;
  }

  bool pressed = false;
};

// The program's class with the pads registered as "Test.Pad".
class PadApplication : public Testing::TestApplication {
public:
  using TestApplication::TestApplication;
  SVRESULT Initialize() override {
    GetControlFactory()->RegisterControlCreateFunction(u"Test.Pad", &LControlCreation::Create<Pad>);
    return TestApplication::Initialize();
  }
};

using PadPlatform = QtFrameworkApp<PadApplication>;

// Every control has a look: children are painted through their parent's looks, and a
// control without one lets the pointer through.
constexpr const char* kSkin = R"(<Application Name="Corvex Editor"/>
<Colorizers><Colorizer Name="Navy" ColorType="SolidFill" Color="FF203040"/></Colorizers>
<Parts><Part Name="Back" Width="8" Height="8" ResizeType="Stretch" ColorizerName="Navy"/></Parts>
<Looks><Look Name="Back"><ClientPart Name="Back" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look></Looks>
<LookLists><LookList Name="BackLooks" NumLooks="1"><Look Name="Back" Index="0"/></LookList></LookLists>
<Skins><Skin Name="Standard" FontName="Sans" FontSize="9" FontStyle="0">
  <SubControl Class="Test.Pad" Name="mainControl" XPositionAbs="40" YPositionAbs="40" XSizeAbs="320" YSizeAbs="200">
    <Skin Name="mainControl" LookList="BackLooks"/>
    <SubControl Class="Test.Pad" Name="a" XPositionAbs="10" YPositionAbs="10" XSizeAbs="100" YSizeAbs="50">
      <Skin Name="a" LookList="BackLooks"/>
    </SubControl>
    <SubControl Class="Test.Pad" Name="b" XPositionAbs="200" YPositionAbs="10" XSizeAbs="100" YSizeAbs="50">
      <Skin Name="b" LookList="BackLooks"/>
    </SubControl>
  </SubControl>
</Skin></Skins>)";

uint32_t Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

// Steps run from inside the application's own message loop, each a turn of it later.
class ShellEndToEndTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
      setenv(variable, settings.Path().c_str(), 1);
    resources.WriteFile("Skins.xml", Testing::SkinDocument(kSkin));
    InstallQtOSWindowFactory();
    Pad::paints.clear();
  }
  void TearDown() override { SetOSWindowFactory(nullptr); }

  PadPlatform::Options Options() const {
    PadPlatform::Options options;
    options.resourceFolder = String(resources.Path().c_str());
    options.instanceFolder = instance.Path();
    options.instanceName = "ShellEndToEndTest";
    options.instanceLimit = std::chrono::milliseconds(200);
    return options;
  }

  Testing::TemporaryFolder resources, instance, settings;
};

TEST_F(ShellEndToEndTest, APressRepaintsOnlyThePressedControlAndAnExitRequestEndsTheRun) {
  PadPlatform platform(u"editor", 0x0409, Options());
  ASSERT_TRUE(platform.InitApplication());
  ASSERT_TRUE(platform.InitInstance());

  QImage before, after;
  Lines paintsAfterPress;
  bool exitPosted = false;
  QObject timers;
  const auto mainWindow = [] {
    LFrameworkApp* const application = GetFrameworkApp();
    const RCPtr<LRootWindow> root = application ? application->GetRootWindow(0) : RCPtr<LRootWindow>();
    return root ? dynamic_cast<OSWindow*>(root->GetOSWindow()) : nullptr;
  };
  const auto grab = [&] {
    OSWindow* const window = mainWindow();
    return window->screen()->grabWindow(window->winId()).toImage();
  };
  const auto postExit = [&] {
    exitPosted = true;
    GetApplicationNotificationCenter()->PostNotification(u"NID_APP_EXIT_REQ", nullptr);
  };
  // Everything below runs inside the run step's loop; a bound ends it if a step never arrives.
  QTimer::singleShot(10000, &timers, [&] {
    if (!exitPosted) postExit();
  });
  // The steps poll from the run step's own loop, so that its idle passes go on between them.
  int step = 0;
  QTimer poll(&timers);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    OSWindow* const window = mainWindow();
    // The shown main window was activated, as input goes only to an active window.
    if (!window || !window->isExposed() || !window->isActive()) return;
    const QPointF point(50, 30);
    if (step == 0 && Pixel(grab(), 250, 30) == 0x30C060u) {
      before = grab();
      Pad::paints.clear();
      QMouseEvent move(QEvent::MouseMove, point, window->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
      QCoreApplication::sendEvent(window, &move);
      QMouseEvent press(QEvent::MouseButtonPress, point, window->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
      QCoreApplication::sendEvent(window, &press);
      QMouseEvent release(QEvent::MouseButtonRelease, point, window->mapToGlobal(point), Qt::LeftButton,
                          Qt::NoButton, Qt::NoModifier);
      QCoreApplication::sendEvent(window, &release);
      step = 1;
    } else if (step == 1 && Pixel(grab(), 50, 30) == 0xC02040u) {
      after = grab();
      paintsAfterPress = Pad::paints;
      step = 2;
      poll.stop();
      postExit();
    }
  });
  poll.start(20);

  EXPECT_TRUE(platform.Run());
  EXPECT_EQ(GetFrameworkApp(), nullptr) << "the run ended and the application was released";
  ASSERT_FALSE(after.isNull());
  EXPECT_EQ(Pixel(before, 50, 30), 0xE0A020u);
  EXPECT_EQ(Pixel(after, 50, 30), 0xC02040u) << "the pressed control shows its pressed colour";
  EXPECT_EQ(Pixel(after, 250, 30), 0x30C060u) << "the other control keeps its pixels";
  EXPECT_EQ(Pixel(after, 5, 150), 0x203040u);
  EXPECT_EQ(paintsAfterPress, (Lines{"mainControl", "a"})) << "only the dirty area was painted";
  QDir().mkpath(SV_SCREENSHOT_FOLDER);
  EXPECT_TRUE(after.save(QString(SV_SCREENSHOT_FOLDER) + "/ShellEndToEnd.png"));
}

// Hosted, a host program made a window of its own and runs the application inside it.
TEST_F(ShellEndToEndTest, HostedTheMainWindowStaysAboveTheHostsWindowAndAnExitRequestEndsItsOwnLoop) {
  QWindow host;
  host.setGeometry(10, 10, 500, 400);
  host.show();
  ASSERT_TRUE(Testing::WaitFor([&] { return host.isExposed(); }));
  resources.WriteFile("StringTables.xml", Testing::StringTableDocument(R"(<StringTable ID="Corvex Editor|mainControl">
  <String ID="LABEL"><Locale LCID="9">Hosted pads</Locale></String>
</StringTable>)"));
  PadPlatform::Options options = Options();
  options.hostWindow = host.winId();
  PadPlatform platform(u"editor", 0x0409, options);
  ASSERT_TRUE(platform.InitInstance());

  struct Seen {
    QRect geometry;
    QString title;
    bool aboveHost = false;
    bool modal = false;
  } seen;
  bool exitPosted = false;
  const auto postExit = [&] {
    exitPosted = true;
    GetApplicationNotificationCenter()->PostNotification(u"NID_APP_EXIT_REQ", nullptr);
  };
  QObject timers;
  QTimer::singleShot(10000, &timers, [&] {
    if (!exitPosted) postExit();
  });
  QTimer poll(&timers);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    LFrameworkApp* const application = GetFrameworkApp();
    const RCPtr<LRootWindow> root = application ? application->GetRootWindow(0) : RCPtr<LRootWindow>();
    OSWindow* const window = root ? dynamic_cast<OSWindow*>(root->GetOSWindow()) : nullptr;
    if (!window || !window->isExposed() || Pad::paints.empty()) return;
    seen = {window->geometry(), window->title(),
            window->transientParent() && window->transientParent()->winId() == host.winId(), window->IsModal()};
    poll.stop();
    postExit();
  });
  poll.start(20);

  EXPECT_TRUE(platform.Run());
  EXPECT_EQ(GetFrameworkApp(), nullptr) << "the run ended and the application was released";
  EXPECT_EQ(seen.geometry, QRect(40, 40, 320, 200)) << "placed and sized by the main control's layout";
  EXPECT_EQ(seen.title, QString("Hosted pads")) << "the main control's label";
  EXPECT_TRUE(seen.aboveHost);
  EXPECT_TRUE(seen.modal) << "the run goes through the main window's own loop";
  EXPECT_TRUE(host.isVisible()) << "the host's window is the host's";
}

}  // namespace
}  // namespace SV
