#include "Platform/Gui/DocumentOpener.h"

#include <gtest/gtest.h>

namespace Platform::Gui {
namespace {

TEST(DocumentOpenerTest, TheDesktopOpenerRefusesAFileThatDoesNotExist) {
  QtDocumentOpener opener;
  EXPECT_FALSE(opener.Open(u"/nonexistent/Corvex Editor Setup - v1.2.pdf"));
  EXPECT_FALSE(opener.Open(u""));
}

}  // namespace
}  // namespace Platform::Gui
