#include "SVFramework/Renderer/OpenGL/GLErrorText.h"

#include <cstdio>
#include <cstring>

namespace SV {
namespace {

struct KeyedText {
  const char* key;
  const char* text;
};

constexpr KeyedText kTexts[] = {
    {"GL_ERROR_CAPTION", "OpenGL Error"},
    {"GL_ERROR_MESSAGE_MAKE_CONTEXT_CURRENT", "%s failed with error %d: %s."},
    {"GL_ERROR_MESSAGE_CREATE_CONTEXT", "The OpenGL context could not be created."},
    {"GL_ERROR_UPDATE_DRIVER", " Updating your video card driver, with the latest driver from the manufacturer of "
                               "your video card, may solve this issue."},
};

}  // namespace

const char* GetGLErrorText(const char* key) {
  for (const KeyedText& entry : kTexts) {
    if (std::strcmp(entry.key, key) == 0) return entry.text;
  }
  return "";
}

std::string FormatMakeCurrentError(const IGLPlatformContext& platform) {
  const std::string reason = platform.GetLastErrorText().ToUTF8().GetString();
  char text[256];
  std::snprintf(text, sizeof text, GetGLErrorText(kGLErrorMakeContextCurrentKey), platform.GetLastFailedCall(),
                static_cast<int>(platform.GetLastErrorCode()), reason.c_str());
  return text;
}

}  // namespace SV
