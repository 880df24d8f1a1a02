#pragma once
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "SVFramework/Application/ApplicationBase.h"
#include "SVFramework/Application/PlatformApplication.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/notification/NotificationCenterManager.h"

namespace SV::Testing {

// The platform object for tests: records message boxes and quits into the shared log
// ("box <caption>|<text>|<style>", "quit <code>"), runs `loop` as its message loop,
// hands over `kept` as the exception kept outside the loops, runs hosted in `hostWindow`
// when that is set, and is the installed
// platform object while it lives. UI (test) thread only.
class FakePlatformApplication : public IPlatformApplication {
public:
  explicit FakePlatformApplication(std::vector<std::string>& log) : mLog(log) { SetPlatformApplication(this); }
  ~FakePlatformApplication() override { SetPlatformApplication(nullptr); }

  int32_t GetLanguageID() const override { return 0x0409; }
  int32_t ShowMessageBox(const String& text, const String& caption, uint32_t style, IWindowOSServices*) override {
    mLog.push_back("box " + std::string(caption.ToUTF8().GetString()) + "|" + text.ToUTF8().GetString() + "|" +
                   std::to_string(style));
    return 1;
  }
  void RunMessageLoop() override {
    mLog.push_back("loop");
    if (loop) loop();
  }
  void QuitMessageLoop(int32_t code) override { mLog.push_back("quit " + std::to_string(code)); }
  std::exception_ptr TakeKeptException() override { return std::exchange(kept, nullptr); }
  uintptr_t GetHostWindow() const override { return hostWindow; }

  std::function<void()> loop;
  // What TakeKeptException hands over once.
  std::exception_ptr kept;
  // Non-zero: the application runs hosted in that window.
  uintptr_t hostWindow = 0;

private:
  std::vector<std::string>& mLog;
};

// The program's class as far as the framework needs one: agrees to exit when told to,
// a fixed system font, and settings only through the base's folders. Made with a
// factory without skins and a tick source of the test's.
class TestApplication : public LApplicationBase<TestApplication> {
public:
  explicit TestApplication(ApplicationClock::TickSource ticks = &ApplicationClock::MonotonicTicks)
      : LApplicationBase(LControlFactory::Create(u"Test"), nullptr, u"editor --test", ticks) {}
  // As the platform object makes the program's class.
  TestApplication(const RCPtr<LControlFactory>& factory, const RCPtr<LStringTable>& frameworkStrings,
                  const String& commandLine)
      : LApplicationBase(factory, frameworkStrings, commandLine) {
    Record("created");
  }
  ~TestApplication() override { Record("destroyed"); }

  SVRESULT Shutdown() override {
    Record("shutdown");
    return LApplicationBase::Shutdown();
  }
  SVRESULT OnSecondInstance(const String& commandLine) override {
    secondInstances.push_back(commandLine);
    return S_OK;
  }

  bool CanExit() override { return canExit; }
  String GetSettingsVersion() override { return u"1_0_0"; }
  String GetMainControlName() override { return u"mainControl"; }
  int32_t OpenSettingsFile(int32_t fileId) override {
    return OpenSettingsFileIn(fileId == 0 ? 2 : 3, fileId == 0 ? u"AppSettings.ini" : u"UserSettings.ini");
  }
  int32_t GetRendererType() override { return 1; }
  SVRESULT GetSystemFont(String& face, float& size, int32_t& style) override {
    face = u"DejaVu Sans";
    size = 9;
    style = 0;
    return S_OK;
  }
  IIniFileManager* GetIniFileManager() override {
    return iniFileManager ? iniFileManager : LApplicationBase::GetIniFileManager();
  }

  bool canExit = true;
  IIniFileManager* iniFileManager = nullptr;
  std::vector<String> secondInstances;
  // Where every TestApplication records "created", "shutdown" and "destroyed"; none when null.
  static inline std::vector<std::string>* lifeLog = nullptr;

private:
  static void Record(const char* event) {
    if (lifeLog) lifeLog->push_back(event);
  }
};

}  // namespace SV::Testing
