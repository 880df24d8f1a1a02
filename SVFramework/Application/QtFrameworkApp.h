#pragma once
#include <chrono>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "Platform/Gui/EventLoop.h"
#include "Platform/Gui/GuiApplication.h"
#include "Platform/Resources/QtResourceSource.h"
#include "Platform/SingleInstance/SingleInstance.h"
#include "Platform/System/LocaleLanguage.h"
#include "SVFramework/Application/IdleRule.h"
#include "SVFramework/Application/PlatformApplication.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/Application/SecondInstance.h"
#include "SVFramework/Application/SplashScreen.h"
#include "SVFramework/Application/Version.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/System/DebugSwitches.h"
#include "SVFramework/System/WindowOSServices.h"
#include "SVFramework/Utilities/Storage/SVFile.h"

namespace SV {

// The process's platform application object on Qt: it starts the process as the one
// instance of the user, creates the control factory with the string tables and skins,
// makes the one LApplication, opens its main window, runs our message loop (the idle
// rule, a wake timer that is brisk while anything happens, exceptions kept at the loop's boundary) and shuts it all
// down in order. The program's entry is FrameworkMain; the object lives on its stack
// for the whole run and is the installed platform object meanwhile. Every failure of
// start-up shows the start-up error box and ends the process with 0. UI thread only.
template <class LApplication>
class QtFrameworkApp : public IPlatformApplication {
public:
  struct Options {
    String resourceFolder = u"::";              // where string tables and skins are read
    std::string instanceFolder;                 // the single-instance folder; the default when empty
    std::string instanceName = "CorvexEditor";  // the lock's and socket's file-name stem
    std::chrono::milliseconds instanceLimit{5000};  // bounds a later instance's hand-over
    // Hosted mode: the native window of the host program the application runs inside
    // (0: on its own). A host calls InitInstance and Run, not InitApplication.
    uintptr_t hostWindow = 0;
  };

  QtFrameworkApp(const String& commandLine, int32_t languageId, Options options)
      : mCommandLine(commandLine), mLanguageId(languageId), mOptions(std::move(options)) {
    SetPlatformApplication(this);
  }
  ~QtFrameworkApp() override {
    ReleaseApplication();
    CloseSplash();
    if (mFactory && GetApplicationControlFactory() == mFactory) SetApplicationControlFactory(nullptr);
    if (GetPlatformApplication() == this) SetPlatformApplication(nullptr);
  }
  QtFrameworkApp(const QtFrameworkApp&) = delete;
  QtFrameworkApp& operator=(const QtFrameworkApp&) = delete;

  // The program's entry: the Qt application, the language (-1: the user's), then
  // InitApplication, InitInstance and Run. Always 0.
  static int FrameworkMain(int argc, char** argv, int32_t languageId = -1) {
    return FrameworkMain(argc, argv, languageId, Options());
  }
  // The same with the program's options (say, string tables and skins from a folder).
  static int FrameworkMain(int argc, char** argv, int32_t languageId, Options options) {
    ::Platform::Gui::GuiApplication gui(argc, argv);
    if (languageId == -1) languageId = ::Platform::System::LocaleLanguage::UserDefault();
    QtFrameworkApp platform(JoinCommandLine(argc, argv), languageId, std::move(options));
    if (platform.InitApplication() && platform.InitInstance()) platform.RunReportingFailure();
    return 0;
  }

  // Splash, control factory, string tables and skins, then the single-instance test: a
  // later instance hands its command line over and answers false (the process ends
  // quietly). Any failure: the start-up error box and false.
  bool InitApplication() {
    try {
      ShowSplash();
      LoadResources("SV::QtFrameworkApp::InitApplication");
      return BecomeFirstInstance();
    } catch (...) {
      CloseSplash();
      ShowStartupError();
      return false;
    }
  }

  // The command line's debug switches; hosted, the control factory with the string
  // tables and skins instead (a failure raises).
  bool InitInstance() {
    if (mOptions.hostWindow != 0) {
      LoadResources("SV::QtFrameworkApp::InitInstance");
      return true;
    }
    ApplyDebugSwitches(mCommandLine.ToUTF8().GetString());
    return true;
  }

  // The run step: the application object, its start-up, the main window with its root
  // control (shown and painted), the application's run, then shut-down. Failures raise.
  bool Run() {
    RCPtr<LApplication> application(new LApplication(mFactory, mFrameworkStrings, mCommandLine));
    mApplication = application;
    application->OnCommandLine(mCommandLine);
    const SVRESULT initialized = application->Initialize();
    if (!IsQuietExit(initialized)) {
      SV_RAISE_ON_FAILURE(initialized, "SV::QtFrameworkApp::Run");
      application->OnCommandLineInitialized(mCommandLine);
      if (mOptions.hostWindow != 0)
        SV_RAISE_ON_FAILURE(application->CreateHostedMainWindow(mOptions.hostWindow), "SV::QtFrameworkApp::Run");
      else
        OpenMainWindow(*application);
      CloseSplash();
      application->Run();
    }
    CloseSplash();
    ReleaseApplication();
    return true;
  }

  // The main loop's idle handler: the idle rule, nothing once the application exits.
  bool OnIdle(int idleCount) { return RunIdleCall(mApplication.Get(), idleCount, true); }

  int32_t GetLanguageID() const override { return mLanguageId; }
  int32_t ShowMessageBox(const String& text, const String& caption, uint32_t style, IWindowOSServices*) override {
    return ::Platform::Gui::ShowMessageBox(text.GetString(), caption.GetString(), style);
  }
  void RunMessageLoop() override {
    // The one wake timer of the run; modal loops inside it share it.
    ::Platform::Gui::WakeTimer wakeTimer;
    mLoop.Run();
  }
  void QuitMessageLoop(int32_t code) override { mLoop.Quit(code); }
  std::exception_ptr TakeKeptException() override { return ::Platform::Gui::EventLoop::TakeKept(); }
  uintptr_t GetHostWindow() const override { return mOptions.hostWindow; }

  // The resource folder followed by "/Splash.png" when that file exists, else empty.
  String GetSplashPath() const {
    const String path = mOptions.resourceFolder + String(u"/Splash.png");
    return File::Exists(path) ? path : String();
  }
  void ShowSplash() {
    const String path = GetSplashPath();
    if (path.IsEmpty() || mSplash) return;
    mSplash = std::make_unique<LSplashScreen>();
    mSplash->SetImageFile(path);
    mSplash->Start();
    mSplash->Animate(0, 100, 8);
  }
  void CloseSplash() {
    if (!mSplash) return;
    mSplash->SetPosition(100);
    mSplash.reset();
  }

private:
  static String JoinCommandLine(int argc, char** argv) {
    NarrowString joined;
    for (int index = 0; index < argc; ++index) {
      if (index > 0) joined += " ";
      joined += argv[index];
    }
    String text;
    text.AssignUTF8(joined.GetString(), joined.GetLength());
    return text;
  }
  static bool IsQuietExit(SVRESULT result) {
    for (const uint32_t quiet : {0x8000A000u, 0x8000A001u, 0x8000A002u, 0x8000A003u, 0x8000A010u, 0x8000A020u})
      if (static_cast<uint32_t>(result) == quiet) return true;
    return false;
  }

  // The control factory (the application's from now on) with the string tables and skins.
  void LoadResources(const char* where) {
    mFactory = LControlFactory::Create(Version().GetProductName());
    // The built-in documents ("::") are the program's Qt resources.
    mFactory->SetResourceSource(std::make_shared<::Platform::Resources::QtResourceSource>());
    // Root windows and controls create controls by name through the application's factory.
    SetApplicationControlFactory(mFactory);
    SV_RAISE_ON_FAILURE(mFactory->LoadResources(mOptions.resourceFolder, mLanguageId), where);
    mFrameworkStrings = mFactory->GetFrameworkStringTable();
  }

  bool BecomeFirstInstance() {
    mSingleInstance = std::make_unique<::Platform::SingleInstance::SingleInstance>(
        ::Platform::SingleInstance::SingleInstance::Options{mOptions.instanceFolder, mOptions.instanceName,
                                                            mOptions.instanceLimit});
    mSingleInstance->SetReceiver([this](const std::string& commandLine) {
      ::Platform::Gui::EventLoop::Guard([&] { DeliverSecondInstance(mApplication.Get(), commandLine); });
    });
    if (mSingleInstance->BecomeFirst()) return true;
    mSingleInstance->HandOver(mCommandLine.ToUTF8().GetString());
    CloseSplash();
    return false;
  }

  void OpenMainWindow(LApplication& application) {
    SV_RAISE_ON_FAILURE(application.CreateMainWindow(application.GetRendererType()), "SV::QtFrameworkApp::Run");
    const RCPtr<LRootWindow> main =
        application.GetRootWindows().GetCount() > 0 ? application.GetRootWindows().GetAt(0) : RCPtr<LRootWindow>();
    SV_RAISE_ON_FAILURE(main ? main->SetRootControl(application.GetMainControlName()) : E_FAIL,
                        "SV::QtFrameworkApp::Run");
    if (IWindowOSServices* const osWindow = main->GetOSWindow()) {
      osWindow->Show(5);
      osWindow->RedrawNow();
    }
  }

  // Reports a failure of the run step with the start-up error box (exit code stays 0).
  void RunReportingFailure() {
    try {
      Run();
    } catch (...) {
      CloseSplash();
      ShowStartupError();
      ReleaseApplication();
      return;
    }
    // One kept while the windows closed after the loop: reported before the process ends.
    if (TakeKeptException()) ShowStartupError();
  }

  void ReleaseApplication() {
    if (!mApplication) return;
    RCPtr<LApplication> application = mApplication;
    mApplication = nullptr;
    application->Shutdown();
    application.Reset();
  }

  void ShowStartupError() {
    String text(u"The application encountered problems during startup and will now close.");
    String caption(u"Error");
    if (mFrameworkStrings) {
      mFrameworkStrings->GetString(u"STARTUP_ERROR", text);
      mFrameworkStrings->GetString(u"STARTUP_ERROR_CAPTION", caption);
    }
    ShowMessageBox(text, caption, ::Platform::Gui::kIconError, nullptr);
  }

  String mCommandLine;
  int32_t mLanguageId;
  Options mOptions;
  RCPtr<LControlFactory> mFactory;
  RCPtr<LStringTable> mFrameworkStrings;
  std::unique_ptr<LSplashScreen> mSplash;
  std::unique_ptr<::Platform::SingleInstance::SingleInstance> mSingleInstance;
  RCPtr<LApplication> mApplication;
  ::Platform::Gui::EventLoop mLoop{[this](int idleCount) { return OnIdle(idleCount); }};
};

}  // namespace SV
