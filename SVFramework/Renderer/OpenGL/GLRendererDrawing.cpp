#include <algorithm>
#include <stdexcept>

#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Renderer/OpenGL/GLApi.h"
#include "SVFramework/Renderer/OpenGL/GLPolygon.h"
#include "SVFramework/Renderer/OpenGL/GLRenderer.h"

// The drawing operations of the OpenGL back end: immediate-mode OpenGL under the frame's
// projection, offset and scissor; polylines and colour-rectangle lists recorded into
// display lists when the caller asks to keep them, bitmaps drawn from cached textures.
namespace SV {
namespace {

void SetColor(const Color& color) { glColor4f(color.red, color.green, color.blue, color.alpha); }

// The rectangle with a negative width or height flipped over its origin, as doubles.
RectT<double> Normalized(const RectT<int32_t>& rect) {
  RectT<double> result{static_cast<double>(rect.x), static_cast<double>(rect.y), static_cast<double>(rect.width),
                       static_cast<double>(rect.height)};
  if (result.width < 0) result.x += result.width, result.width = -result.width;
  if (result.height < 0) result.y += result.height, result.height = -result.height;
  return result;
}

void QuadVertices(const RectT<double>& r) {
  glVertex2d(r.x, r.y);
  glVertex2d(r.x + r.width, r.y);
  glVertex2d(r.x + r.width, r.y + r.height);
  glVertex2d(r.x, r.y + r.height);
}

}  // namespace

void LGLRenderer::DrawText(const String& text, const RCPtr<LFont>& font, const PointT<int32_t>& position,
                           const Color& color) {
  if (!mFonts || text.IsEmpty() || GetCurrentContext() == nullptr) return;
  SetColor(color);
  Translate({static_cast<double>(position.x), static_cast<double>(position.y)});
  mFonts->RenderText(text, font, mFonts->GetProcessor(), 0, 0.0f, LGlyphProcessor::kDrawPass);
  Translate({-static_cast<double>(position.x), -static_cast<double>(position.y)});
}

void LGLRenderer::DrawRect(const RectT<int32_t>& rect, const Color& color, float lineWidth) {
  if (GetCurrentContext() == nullptr) return;
  glLineWidth(lineWidth);
  SetColor(color);
  const RectT<double> r = Normalized(rect);
  glBegin(GL_LINE_STRIP);
  QuadVertices(r);
  glVertex2d(r.x, r.y);
  glEnd();
}

void LGLRenderer::FillRect(const RectT<int32_t>& rect, const Color& color, bool blend) {
  LRenderContextInfo* const context = GetCurrentContext();
  if (context == nullptr) return;
  if (blend) {
    SetColor(color);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    QuadVertices(Normalized(rect));
    glEnd();
    return;
  }
  const RenderState& state = context->GetState();
  SetScissor({rect.x + state.offset.x, rect.y + state.offset.y, static_cast<double>(rect.width),
              static_cast<double>(rect.height)});
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SetScissor({state.clip.x + state.offset.x, state.clip.y + state.offset.y, state.clip.width, state.clip.height});
}

void LGLRenderer::IssueColorRects(const ColorRectListT<float>& list) {
  for (uint32_t i = list.rects.GetCount(); i-- > 0;) {
    const RectT<float>& r = list.rects[i];
    const RectT<float> scaled{r.x * list.scale.x, r.y * list.scale.y, r.width * list.scale.x, r.height * list.scale.y};
    FillRect(scaled.ToIntRect(), Color::FromARGB(i < list.colors.GetCount() ? list.colors[i] : 0u), true);
  }
}

void LGLRenderer::FillColorRectList(const ColorRectListT<float>& list, const PointT<double>& offset, bool cache) {
  if (GetCurrentContext() == nullptr) return;
  glPushMatrix();
  glTranslatef(static_cast<float>(offset.x), static_cast<float>(offset.y), 0);
  if (!cache) {
    mCaches->colorRects.Invalidate(list);
    IssueColorRects(list);
  } else {
    const bool reset = list.changed;
    list.changed = false;
    RCPtr<LGLDisplayList>& slot = mCaches->colorRects.Get(list, reset);
    if (!slot) {
      slot = LGLDisplayList::Create(1);
      slot->NewList(0);
      IssueColorRects(list);
      slot->EndList();
    }
    slot->CallLists(0, 1);
  }
  glPopMatrix();
}

void LGLRenderer::DrawLine(const PointT<float>& from, const PointT<float>& to, const Color& color, float lineWidth) {
  if (GetCurrentContext() == nullptr) return;
  glLineWidth(lineWidth);
  SetColor(color);
  glBegin(GL_LINES);
  glVertex2d(from.x, from.y);
  glVertex2d(to.x, to.y);
  glEnd();
}

GLCaches::PolylineListCache& LGLRenderer::OwnCache(PolylineKind kind) {
  switch (kind) {
    case PolylineKind::Segments: return mCaches->lineSegments;
    case PolylineKind::OpenLine: return mCaches->polylines;
    case PolylineKind::Outline: return mCaches->polygonOutlines;
    case PolylineKind::Fill: break;
  }
  return mCaches->fillPolygons;
}

GLCaches::PolylineListCache* LGLRenderer::PartnerCache(PolylineKind kind) {
  if (kind == PolylineKind::Outline) return &mCaches->fillPolygons;
  if (kind == PolylineKind::Fill) return &mCaches->polygonOutlines;
  return nullptr;
}

void LGLRenderer::IssuePolyline(const PolylineT<float>& polyline, PolylineKind kind) {
  const uint32_t count = polyline.points.GetCount();
  switch (kind) {
    case PolylineKind::Segments:
    case PolylineKind::OpenLine:
      if (count == 0) return;
      glLineWidth(polyline.lineWidth);
      glEnableClientState(GL_VERTEX_ARRAY);
      glVertexPointer(2, GL_FLOAT, sizeof(PointT<float>), &polyline.points[0]);
      glDrawArrays(kind == PolylineKind::Segments ? GL_LINES : GL_LINE_STRIP, 0, static_cast<GLsizei>(count));
      glDisableClientState(GL_VERTEX_ARRAY);
      return;
    case PolylineKind::Outline:
      glBegin(GL_LINE_STRIP);
      for (uint32_t i = 0; i < count; ++i) glVertex2f(polyline.points[i].x, polyline.points[i].y);
      glEnd();
      return;
    case PolylineKind::Fill:
      CGLPolygon().Tessellate(polyline);
      return;
  }
}

void LGLRenderer::DrawPolylineKind(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                                   const PointT<float>& scale, bool keep, PolylineKind kind) {
  if (GetCurrentContext() == nullptr) return;
  glPushMatrix();
  glTranslatef(offset.x, offset.y, 0);
  glScalef(scale.x, scale.y, 1);
  SetColor(color);
  if (kind == PolylineKind::Outline) {
    glLineWidth(polyline.lineWidth);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
  GLCaches::PolylineListCache& own = OwnCache(kind);
  GLCaches::PolylineListCache* partner = PartnerCache(kind);
  if (!keep) {
    own.Invalidate(polyline);
    if (partner != nullptr) partner->Invalidate(polyline);
    IssuePolyline(polyline, kind);
  } else {
    const bool reset = polyline.changed;
    polyline.changed = false;
    if (reset && partner != nullptr) partner->Invalidate(polyline);
    RCPtr<LGLDisplayList>& slot = own.Get(polyline, reset);
    if (!slot) {
      slot = LGLDisplayList::Create(1);
      slot->NewList(0);
      IssuePolyline(polyline, kind);
      slot->EndList();
    }
    slot->CallLists(0, 1);
  }
  glPopMatrix();
}

void LGLRenderer::DrawLineSegments(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                                   const PointT<float>& scale, bool keep) {
  DrawPolylineKind(polyline, color, offset, scale, keep, PolylineKind::Segments);
}

void LGLRenderer::DrawPolyline(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                               const PointT<float>& scale, bool keep) {
  DrawPolylineKind(polyline, color, offset, scale, keep, PolylineKind::OpenLine);
}

void LGLRenderer::DrawPolygon(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                              const PointT<float>& scale, bool keep) {
  DrawPolylineKind(polyline, color, offset, scale, keep, PolylineKind::Outline);
}

void LGLRenderer::FillPolygon(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                              const PointT<float>& scale, bool keep) {
  DrawPolylineKind(polyline, color, offset, scale, keep, PolylineKind::Fill);
}

LGLTexture& LGLRenderer::TextureOf(const RCPtr<LBitmap>& bitmap) {
  RCPtr<LGLTexture>& slot = mCaches->textures.Get(bitmap, false);
  if (!slot || !slot->IsLive()) {
    slot = new LGLTexture;
    slot->SetBitmap(bitmap);
  }
  return *slot;
}

void LGLRenderer::DrawBitmap(const RCPtr<LBitmap>& bitmap, const RectT<int32_t>& target, ResizeType resize) {
  if (!bitmap) SV_RAISE(FailedResultException, "SVRESULT = 80070057", "SV::LGLRenderer::DrawBitmap");
  const int32_t resizeCode = static_cast<int32_t>(resize);
  const bool sameSize = bitmap->GetWidth() == target.width && bitmap->GetHeight() == target.height;
  if (!sameSize && (resizeCode < 0 || resizeCode > 2)) {
    SV_RAISE(std::logic_error, "Invalid ResizeType passed to DrawBitmap!", "SV::LGLRenderer::DrawBitmap");
  }
  // An empty area would never advance from one tile to the next: it draws nothing.
  if (resize == ResizeType::Tile && !sameSize && (bitmap->GetWidth() <= 0 || bitmap->GetHeight() <= 0)) return;
  if (GetCurrentContext() == nullptr || bitmap->GetNativeBitmap() == nullptr) return;
  LGLTexture& texture = TextureOf(bitmap);
  glColor4f(1, 1, 1, 1);
  const float ax = static_cast<float>(bitmap->GetX()), ay = static_cast<float>(bitmap->GetY());
  const float aw = static_cast<float>(bitmap->GetWidth()), ah = static_cast<float>(bitmap->GetHeight());
  const float source[4] = {ax, ay, ax + aw, ay + ah};
  const float x = static_cast<float>(target.x), y = static_cast<float>(target.y);
  const float right = x + static_cast<float>(target.width), bottom = y + static_cast<float>(target.height);
  if (sameSize || resize == ResizeType::Stretch) {
    const float destination[4] = {x, y, right, bottom};
    texture.Draw(source, destination);
  } else if (resize == ResizeType::Tile) {
    for (float column = x; column < right; column += aw) {
      for (float row = y; row < bottom; row += ah) {
        const float destination[4] = {column, row, column + aw, row + ah};
        texture.Draw(source, destination);
      }
    }
  } else {
    const float left = x + static_cast<float>((target.width - bitmap->GetWidth()) / 2);
    const float top = y + static_cast<float>((target.height - bitmap->GetHeight()) / 2);
    const float destination[4] = {left, top, left + aw, top + ah};
    texture.Draw(source, destination);
  }
}

SVRESULT LGLRenderer::DrawRenderContext(const RCPtr<LRenderContextInfo>& source, const PointT<int32_t>&,
                                        const RectT<int32_t>&) {
  auto* context = dynamic_cast<LGLRenderContextInfo*>(source.Get());
  if (context == nullptr || !context->IsOffscreen()) return E_INVALIDARG;
  // Offscreen contexts of this back end hold no picture: drawing one would show
  // whatever texture 0 holds and report success.
  return E_NOTIMPL;
}

SVRESULT LGLRenderer::ScrollRenderContext(const RCPtr<LRenderContextInfo>& context, const PointT<int32_t>&) {
  auto* target = dynamic_cast<LGLRenderContextInfo*>(context.Get());
  if (target == nullptr || !target->IsOffscreen()) return E_INVALIDARG;
  return E_NOTIMPL;
}

}  // namespace SV
