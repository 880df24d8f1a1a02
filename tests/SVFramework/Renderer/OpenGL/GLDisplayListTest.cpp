#include "SVFramework/Renderer/OpenGL/GLDisplayList.h"

#include <gtest/gtest.h>

#include "SVFramework/Renderer/OpenGL/GLApi.h"
#include "tests/Support/Renderer/HeadlessGL.h"

namespace SV {
namespace {

class GLDisplayListOnPbuffer : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(gl.IsReady()); }
  Testing::HeadlessGL gl{20, 20};
};

TEST_F(GLDisplayListOnPbuffer, RecordsWithoutDrawingAndReplaysWhatItRecorded) {
  const RCPtr<LGLDisplayList> list = LGLDisplayList::Create(1);
  EXPECT_EQ(list->CallLists(0, 1), E_FAIL) << "no names before the first recording";
  ASSERT_EQ(list->NewList(0), S_OK);
  glColor4f(1, 0, 0, 1);
  glRecti(2, 2, 6, 6);
  ASSERT_EQ(list->EndList(), S_OK);
  EXPECT_EQ(gl.At(3, 3), 0u) << "compiling draws nothing";
  EXPECT_EQ(list->CallLists(0, 1), S_OK);
  EXPECT_EQ(gl.At(3, 3), 0xFFFF0000u);
  EXPECT_EQ(list->CallLists(0, 2), E_INVALIDARG);
  EXPECT_EQ(LGLDisplayList::Create(0), nullptr);
}

TEST_F(GLDisplayListOnPbuffer, DestroyingTheObjectDeletesItsLists) {
  uint32_t base = 0;
  {
    const RCPtr<LGLDisplayList> list = LGLDisplayList::Create(2);
    ASSERT_EQ(list->NewList(1), S_OK);
    ASSERT_EQ(list->EndList(), S_OK);
    base = list->GetBase();
    EXPECT_EQ(glIsList(base + 1), GL_TRUE);
  }
  EXPECT_EQ(glIsList(base + 1), GL_FALSE);
}

}  // namespace
}  // namespace SV
