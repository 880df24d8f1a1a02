#include "SVFramework/Renderer/OpenGL/GLPolygon.h"

#include <vector>

#include "SVFramework/Renderer/OpenGL/GLApi.h"

namespace SV {
namespace {

using TessCallback = void (*)();

GLUtesselator* Tessellator() {
  static GLUtesselator* const tessellator = [] {
    GLUtesselator* made = gluNewTess();
    gluTessNormal(made, 0, 0, 1);
    gluTessProperty(made, GLU_TESS_TOLERANCE, 1.0);
    gluTessCallback(made, GLU_TESS_VERTEX, reinterpret_cast<TessCallback>(&glVertex3dv));
    gluTessCallback(made, GLU_TESS_BEGIN, reinterpret_cast<TessCallback>(&glBegin));
    gluTessCallback(made, GLU_TESS_END, reinterpret_cast<TessCallback>(&glEnd));
    return made;
  }();
  return tessellator;
}

std::vector<double>& VertexBuffer() {
  static std::vector<double> buffer;
  return buffer;
}

}  // namespace

CGLPolygon::CGLPolygon() { Tessellator(); }

size_t CGLPolygon::GetVertexBufferSize() { return VertexBuffer().size(); }

void CGLPolygon::Tessellate(const PolylineT<float>& polyline) {
  GLUtesselator* const tessellator = Tessellator();
  std::vector<double>& buffer = VertexBuffer();
  const uint32_t count = polyline.points.GetCount();
  // The tessellator keeps the vertex addresses until the polygon ends: the buffer is
  // sized before the first vertex and not touched again.
  if (buffer.size() < 3 * size_t{count}) buffer.resize(3 * size_t{count}, 0.0);
  gluTessProperty(tessellator, GLU_TESS_BOUNDARY_ONLY, 0.0);
  gluTessBeginPolygon(tessellator, buffer.data());
  gluTessBeginContour(tessellator);
  for (uint32_t j = 0; j < count; ++j) {
    double* vertex = &buffer[3 * size_t{j}];
    vertex[0] = polyline.points[j].x;
    vertex[1] = polyline.points[j].y;
    vertex[2] = 0;
    gluTessVertex(tessellator, vertex, vertex);
  }
  gluTessEndContour(tessellator);
  gluTessEndPolygon(tessellator);
}

}  // namespace SV
