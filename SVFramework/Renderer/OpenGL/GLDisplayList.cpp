#include "SVFramework/Renderer/OpenGL/GLDisplayList.h"

#include "SVFramework/Renderer/OpenGL/GLApi.h"

namespace SV {

RCPtr<LGLDisplayList> LGLDisplayList::Create(int32_t count) {
  return count > 0 ? RCPtr<LGLDisplayList>(new LGLDisplayList(count)) : nullptr;
}

LGLDisplayList::~LGLDisplayList() {
  if (IsLive()) {
    glDeleteLists(mBase, mCount);
    DrainGLErrors();
  }
  mBase = kNoName;
}

bool LGLDisplayList::IsLive() const { return mBase != kNoName && glIsList(mBase) == GL_TRUE; }

SVRESULT LGLDisplayList::NewList(int32_t index) {
  if (mBase == kNoName) {
    const GLuint base = glGenLists(mCount);
    if (base != 0) mBase = base;
  }
  if (!IsLive() || index < 0 || index >= mCount) return E_FAIL;
  glNewList(mBase + static_cast<uint32_t>(index), GL_COMPILE);
  DrainGLErrors();
  return S_OK;
}

SVRESULT LGLDisplayList::EndList() {
  if (!IsLive()) return E_FAIL;
  glEndList();
  DrainGLErrors();
  return S_OK;
}

SVRESULT LGLDisplayList::CallLists(int32_t start, int32_t n) {
  if (mBase == kNoName) return E_FAIL;
  if (start < 0 || n < 0 || start + n > mCount) return E_INVALIDARG;
  for (int32_t i = start; i < start + n; ++i) {
    if (glIsList(mBase + static_cast<uint32_t>(i)) != GL_TRUE) return E_FAIL;
    glCallList(mBase + static_cast<uint32_t>(i));
    DrainGLErrors();
  }
  return S_OK;
}

}  // namespace SV
