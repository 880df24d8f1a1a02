#include "SVFramework/ControlBase/SkinDocumentSource.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/Support/Skins/SkinFixtures.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

TEST(SkinDocumentSource, ResourceNamesAreUpperCasedWithDotsAndSpacesMadeUnderscores) {
  EXPECT_EQ(SkinDocumentSource::ResourceName(u"::APP_SKINS"), "APP_SKINS");
  EXPECT_EQ(SkinDocumentSource::ResourceName(u"::my skin.xml"), "MY_SKIN_XML");
}

TEST(SkinDocumentSource, BuiltInDocumentsComeFromTheResourceSourceUnderTypeSvxml) {
  auto resources = std::make_shared<Testing::MemoryResources>();
  resources->Add("SVXML", "APP_SKINS", "<Root/>");
  resources->Add("SVXML", "EMPTY", "");
  resources->Add("OTHER", "FRAMEWORK_STRINGS", "<Root/>");
  const SkinDocumentSource source(resources);
  std::string bytes;
  EXPECT_EQ(source.Read(u"::app_skins", bytes), S_OK);
  EXPECT_EQ(bytes, "<Root/>");
  EXPECT_EQ(source.Read(u"::FRAMEWORK_STRINGS", bytes), E_FAIL);
  EXPECT_EQ(source.Read(u"::EMPTY", bytes), E_FAIL);
  EXPECT_EQ(SkinDocumentSource().Read(u"::APP_SKINS", bytes), E_FAIL) << "no source: no built-in documents";
}

TEST(SkinDocumentSource, FilesAreReadWholeAndEmptyOrMissingOnesFail) {
  Testing::TemporaryFolder folder;
  const std::string big(300000, 'x');
  folder.WriteFile("Skins.xml", big);
  folder.WriteFile("Empty.xml", "");
  const SkinDocumentSource source;
  std::string bytes;
  EXPECT_EQ(source.Read(String(folder.PathOf("Skins.xml").c_str()), bytes), S_OK);
  EXPECT_EQ(bytes, big);
  EXPECT_EQ(source.Read(String(folder.PathOf("Empty.xml").c_str()), bytes), E_FAIL);
  EXPECT_EQ(source.Read(String(folder.PathOf("Missing.xml").c_str()), bytes), E_FAIL);
  EXPECT_EQ(source.Read(String(folder.Path().c_str()), bytes), E_FAIL) << "a folder is no document";
}

}  // namespace
}  // namespace SV
