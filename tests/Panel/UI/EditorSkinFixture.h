#pragma once
#include <QImage>

#include <memory>
#include <string>

#include "Panel/UI/EditorControlTypes.h"
#include "Platform/Resources/QtResourceSource.h"
#include "SVFramework/Application/ControlTypeRegistration.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/Renderer/Gdi/GDIRenderContextInfo.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "tests/Support/Controls/FramePainter.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/GuiTestApplication.h"
#include "tests/Support/Renderer/RecordingWindowTarget.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV::Testing {

// The editor's own documents as the program reads them: the string tables and skins
// compiled into the test binary as the program's Qt resources, loaded in `language`,
// with every framework class and the editor's own classes registered. Test thread only;
// one at a time (it is the application's factory while it lives).
class EditorDocuments {
public:
  static constexpr int32_t kHighDpiSkin = 0;
  static constexpr int32_t kStandardSkin = 1;

  explicit EditorDocuments(int32_t language = 1033) : factory(LControlFactory::Create(u"Corvex Editor")) {
    RegisterControlTypes(*factory, GetFrameworkControlTypes());
    RegisterControlTypes(*factory, GetEditorControlTypes());
    factory->SetResourceSource(std::make_shared<::Platform::Resources::QtResourceSource>());
    loadResult = factory->LoadResources(u"::", language);
    SetApplicationControlFactory(factory);
  }
  ~EditorDocuments() { SetApplicationControlFactory(nullptr); }
  EditorDocuments(const EditorDocuments&) = delete;
  EditorDocuments& operator=(const EditorDocuments&) = delete;

  // The text of a key of a named table; empty when either is missing.
  String Text(const char16_t* table, const char16_t* key) const {
    String text;
    if (const RCPtr<LStringTable> strings = factory->GetNamedStringTable(table)) strings->GetString(key, text);
    return text;
  }
  bool Has(const char16_t* table, const char16_t* key) const {
    String text;
    const RCPtr<LStringTable> strings = factory->GetNamedStringTable(table);
    return strings && strings->GetString(key, text);
  }

  RCPtr<LControlFactory> factory;
  SVRESULT loadResult = E_FAIL;
};

// Builds a top-level control of one of the editor's skins in a root window that paints
// through the raster renderer, at the skin's own font, and paints it into an image.
class EditorScreen {
public:
  explicit EditorScreen(int32_t skinIndex, int32_t language = 1033) : documents(language) {
    EnsureGuiApplication();
    documents.factory->SetCurrentSkinIndex(skinIndex);
    String face;
    float size = 0;
    int32_t style = 0;
    documents.factory->GetSkinFont(face, size, style);
    application.defaultFont = LFont::GetFont(face, size, style);
  }
  ~EditorScreen() {
    if (window) window->SetRootControlObject(nullptr);
    if (control) control->Detach();
  }
  EditorScreen(const EditorScreen&) = delete;
  EditorScreen& operator=(const EditorScreen&) = delete;

  // The skin's control of that name, placed in a window of its own size; false when
  // the skin has none.
  bool Build(const char16_t* name) {
    const RCPtr<LControlDescriptor>& descriptor = documents.factory->FindControlDescriptor(name);
    if (!descriptor || !descriptor->Layout) return false;
    width = static_cast<int32_t>(descriptor->Layout->Size[0].abs);
    height = static_cast<int32_t>(descriptor->Layout->Size[1].abs);
    target = std::make_unique<RecordingWindowTarget>(width, height);
    renderer = LRenderer::Create(RendererType::GdiPlus, {0, 0, width, height}, target.get());
    application.renderer = renderer;
    os.clientSize = {width, height};
    window = LRootWindow::Create(renderer, &os);
    documents.factory->CreateControl(control, name, window.Get());
    if (!control) return false;
    window->SetRootControlObject(control);
    control->RecomputePlacement();
    return true;
  }

  // One frame of the whole control, as the window shows it.
  QImage Paint() {
    RCPtr<LRenderContextInfo> context;
    renderer->InitRenderContextInfo({0, 0, width, height}, target.get(), 0, context);
    context->GetDirtyRegion().AddRect({0, 0, width, height});
    renderer->RenderStart(context);
    PaintFrame(renderer, control, context->GetDirtyRegion());
    renderer->RenderFinish(context);
    return static_cast<LGDIRenderContextInfo*>(context.Get())->GetFrontSurface().GetBitmap().copy();
  }

  EditorDocuments documents;
  StandInApplication application;
  StandInOSWindow os;
  std::unique_ptr<RecordingWindowTarget> target;
  RCPtr<LRenderer> renderer;
  RCPtr<LRootWindow> window;
  RCPtr<LControl> control;
  int32_t width = 0;
  int32_t height = 0;
};

}  // namespace SV::Testing
