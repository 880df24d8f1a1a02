#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/ControlBase/PointParam.h"
#include "SVFramework/Renderer/RenderContextInfo.h"
#include "SVFramework/Renderer/Renderer.h"

namespace SV::Testing {

// What probe controls were told, one line per call: "b:Down 1 (5,6) dbl=0".
struct ProbeLog {
  std::vector<std::string> lines;
  void Add(const LControl& control, const std::string& what) {
    lines.push_back(std::string(control.GetName().ToUTF8().GetString()) + ":" + what);
  }
};

// A control for root-window tests with the input, focus, hit-test and paint behaviour
// the root window relies on, each call logged: the hit test finds the deepest child
// whose rectangle holds the point, a press can take the capture, focus goes to the
// first or last child that wants it, the wheel answers as told, and a paint draws
// the children that clip and meet the dirty region and hands on those that do not.
class ProbeControl : public LControl {
public:
  static RCPtr<ProbeControl> Make(ProbeLog& log, const RCPtr<LControl>& parent, const String& name,
                                  const RectT<double>& rect) {
    return RCPtr<ProbeControl>(new ProbeControl(log, parent, name, rect));
  }

  RCPtr<LControl> HitTest(PointT<int32_t> point, bool, PointT<int32_t>& local, int32_t&) override {
    for (uint32_t i = GetChildCount(); i-- > 0;) {
      const RCPtr<LControl>& child = GetChildAt(i);
      const RectT<double>& r = child->GetRect();
      if (point.x < r.x || point.y < r.y || point.x >= r.x + r.width || point.y >= r.y + r.height) continue;
      int32_t z = 0;
      const PointT<int32_t> inner{point.x - static_cast<int32_t>(r.x), point.y - static_cast<int32_t>(r.y)};
      if (RCPtr<LControl> found = child->HitTest(inner, true, local, z)) return found;
    }
    local = point;
    return RCPtr<LControl>(this);
  }
  SVRESULT OnMouseEnter(const RCPtr<LPointWithModifiersParam>&) override { return Log("Enter"); }
  SVRESULT OnMouseLeave(const RCPtr<LPointWithModifiersParam>&) override { return Log("Leave"); }
  SVRESULT OnMouseMove(const RCPtr<LPointWithModifiersParam>& p) override { return Log("Move " + Point(*p)); }
  SVRESULT OnMouseDown(const RCPtr<LMouseButtonParam>& p) override {
    Log("Down " + Button(*p));
    if (throwOnPress) throw std::runtime_error("press handler failed");
    if (captureOnPress) GetRootWindow()->BeginDrag(RCPtr<LControl>(this));
    return S_OK;
  }
  SVRESULT OnMouseUp(const RCPtr<LMouseButtonParam>& p) override { return Log("Up " + Button(*p)); }
  SVRESULT OnCaptureLost() override {
    Log("CaptureLost");
    return LControl::OnCaptureLost();
  }
  SVRESULT OnMouseWheel(const RCPtr<LMouseWheelParam>& p) override {
    Log("Wheel " + std::to_string(p->direction) + " " + Point(*p));
    return wheelAnswer;
  }
  SVRESULT OnMouseHWheel(const RCPtr<LMouseWheelParam>& p) override {
    Log("HWheel " + std::to_string(p->direction) + " " + Point(*p));
    return wheelAnswer;
  }
  SVRESULT OnKeyPress(const RCPtr<LKeyParam>& key) override {
    return Log("Key " + std::to_string(key->key.GetVirtualKey()));
  }
  SVRESULT SetFocus(bool forward) override {
    Log(forward ? "SetFocus first" : "SetFocus last");
    if (focusable) {
      GetRootWindow()->SetFocusControl(RCPtr<LControl>(this));
      return S_OK;
    }
    for (uint32_t n = 0; n < GetChildCount(); ++n) {
      const RCPtr<LControl>& child = GetChildAt(forward ? n : GetChildCount() - 1 - n);
      if (static_cast<ProbeControl*>(child.Get())->focusable) return child->SetFocus(forward);
    }
    return E_FAIL;
  }
  SVRESULT OnFocusLost() override {
    Log("FocusLost");
    if (LRootWindow* window = GetRootWindow()) window->ClearFocusControl(this);
    return S_OK;
  }
  SVRESULT ShowTooltip(bool shown) override { return Log(shown ? "Tooltip on" : "Tooltip off"); }
  String GetTooltipText() override { return tooltip; }
  SVRESULT Paint(const RCPtr<LRenderer>& renderer, const Region& region, RCPtrArray<LControl, 1, 0>& unclipped,
                 bool nested) override {
    const RenderState& state = renderer->GetCurrentContext()->GetState();
    Log("Paint clip " + Rect(state.clip.ToIntRect()) + (nested ? " nested" : ""));
    const PointT<double> origin = GetScreenPosition();
    if (fill.alpha > 0) renderer->FillRect(RectT<double>{origin.x, origin.y, GetRect().width, GetRect().height}.ToIntRect(), fill, false);
    for (uint32_t i = 0; i < GetChildCount(); ++i) {
      const RCPtr<LControl>& child = GetChildAt(i);
      const RectT<double>& r = child->GetRect();
      if (!child->ClipsToParent()) {
        unclipped.Append(child);
      } else if (region.Intersects({static_cast<int32_t>(origin.x + r.x), static_cast<int32_t>(origin.y + r.y),
                                    static_cast<int32_t>(origin.x + r.x + r.width),
                                    static_cast<int32_t>(origin.y + r.y + r.height)})) {
        child->Paint(renderer, region, unclipped, false);
      }
    }
    return S_OK;
  }

  using LControl::SetLayout;

  bool captureOnPress = false;
  bool throwOnPress = false;
  bool focusable = false;
  SVRESULT wheelAnswer = S_OK;
  String tooltip;
  // Drawn over the whole control (window coordinates) when not transparent.
  Color fill;

private:
  ProbeControl(ProbeLog& log, const RCPtr<LControl>& parent, const String& name, const RectT<double>& rect)
      : LControl(parent, name), mLog(log) {
    // The record places the control where the test put it, so re-placing keeps it there.
    const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
    layout->SetPlacement(LLayoutDescriptor::kAxisX, {0.0f, PositionReference::Client, String(), 0.0f, rect.x, false},
                         {SizeReference::Self, String(), 0.0f, rect.width});
    layout->SetPlacement(LLayoutDescriptor::kAxisY, {0.0f, PositionReference::Client, String(), 0.0f, rect.y, false},
                         {SizeReference::Self, String(), 0.0f, rect.height});
    SetLayout(layout);
    SetRectDirect(rect);
  }
  SVRESULT Log(const std::string& what) {
    mLog.Add(*this, what);
    return S_OK;
  }
  static std::string Point(const LPointParam& p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }
  static std::string Button(const LMouseButtonParam& p) {
    return std::to_string(p.button) + " " + Point(p) + " dbl=" + std::to_string(p.doubleClick);
  }
  static std::string Rect(const RectT<int32_t>& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) + "," +
           std::to_string(r.height);
  }

  ProbeLog& mLog;
};

}  // namespace SV::Testing
