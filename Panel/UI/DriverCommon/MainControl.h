#pragma once
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleInterface.h"
#include "SVFramework/Application/AppMessageBox.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/notification/NotificationHandler.h"

namespace SV {

class LPanel;

// The main window's root control ("mainControl") and the root of the editor's module
// tree, which mirrors the engine's: the device view below it is the device module, the
// keybed panel and the parameter handlers are the leaves. Every value the engine
// announces ("NID_PARAM_MODULE_STATE_CHANGE" on the "application" center) is routed by
// ParamID down that tree to the panel that shows it; every edit of a panel comes back
// through SetParamValue and goes to the engine, unless it is the echo of the value being
// shown at that moment. UI thread only: the engine's threads reach it only through the
// "application" center's queue, delivered in the idle pass.
class LMainControl : public LControl, public IRootModule {
public:
  using Handlers = LNotificationHandler<LMainControl>;
  static constexpr const char16_t* kStateChangeID = u"NID_PARAM_MODULE_STATE_CHANGE";
  // Pseudo-parameters only the device-control library produces: a hardware check (no
  // value) and a text from the device.
  static constexpr int32_t kHardwareCheckParamID = -2;
  static constexpr int32_t kDeviceTextParamID = -8;

  LMainControl(const RCPtr<LControl>& parent, const String& name);
  ~LMainControl() override;

  // Finds "viewDevice" (without it the control routes nothing), subscribes to the
  // engine's changes (a failed subscription raises SV::Exception<FailedResultException>),
  // wires the ParamIDs from the engine's first ParamID down the tree, and enables device
  // communication whatever happened before. The control base's result.
  SVRESULT Initialize() override;
  // The main window exists: enables device communication again (harmless). 0.
  int32_t OnAttachedToWindow(uintptr_t unused);
  // The first time the control joins a root window: a main control without a label
  // of its own shows the product name as the window's title, then OnAttachedToWindow.
  void OnRootWindowChanged() override;

  // The edit path: the value goes to the engine unless the descriptor is the one being
  // routed right now (the control's echo of a shown value). The engine's refusal is
  // silent; always 0.
  SVRESULT SetParamValue(const ParamDescriptor& descriptor, const Variant& value) override;
  // The root's value-changed operation: the edit path above.
  void OnParamValueChanged(const ParamDescriptor& descriptor, const Variant& value) override;
  // The device view's device module; null without one.
  using IRootModule::GetDevice;
  RCPtr<IDevice> GetDevice() override;
  // Always null: the user-interface tree talks to no device itself.
  RCPtr<LDeviceCommunicationInterface> GetCommunicationInterface() override;

  // Unpacks a single change (a pair) or a set of changes (packed values) and routes
  // each in order; anything else is ignored. 1.
  int32_t ReceiveParamModuleStateChange(const RCPtr<LNotificationDistributor>& source,
                                        const RCPtr<LNotification>& notification);
  // Routes one value to the module that owns its ParamID, with the descriptor marked as
  // being applied meanwhile; handles the two pseudo-parameters. 0.
  int32_t OnParamModuleStateChange(const ParamDescriptor& descriptor, const Variant& value);

  // The main control's table, then the control base's.
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;

  // The descriptor being routed right now; ParamID -1 outside a routing step.
  ParamDescriptor GetApplyingDescriptor() const { return ParamDescriptor(mApplyingParamID, mApplyingSubKey); }

private:
  void FindChildren();
  void SubscribeToEngine();
  void WireParamIDs();
  void RouteValues(const Variant& packed);
  void CheckHardwareConfiguration();
  void ShowProductNameAsTitle();

  RCPtr<Handlers> mHandlers;
  int32_t mApplyingParamID = -1;
  Variant mApplyingSubKey;
  RCPtr<IDevice> mDeviceView;
  RCPtr<LPanel> mStatusPanel;
  RCPtr<LPanel> mDeviceSelectorPanel;
  bool mAttached = false;
};

}  // namespace SV
