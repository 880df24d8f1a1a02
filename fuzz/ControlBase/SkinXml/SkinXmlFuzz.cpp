#include "SVFramework/ControlBase/SkinXmlReader.h"

#include <cstdlib>

// Reads arbitrary bytes as one document: a first byte 'T' selects a string-table
// document (language 9), any other a skin document. Whatever the bytes, the parse
// ends with 0 or E_FAIL, a failure carries a text, and the descriptors it left form
// a tree whose children point back at their parents.
namespace {

void CheckTree(const SV::LControlDescriptor& descriptor) {
  for (uint32_t index = 0; index < descriptor.Children.GetCount(); ++index) {
    const SV::LControlDescriptor& child = *descriptor.Children[index];
    if (child.Parent != &descriptor || !child.Layout) std::abort();
    CheckTree(child);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  SV::SkinRegistry registry;
  SV::SkinXmlReader reader(registry);
  reader.BeginStringDocument(9);
  if (data[0] != 'T') reader.BeginSkinDocument();
  const SVRESULT result = reader.Parse(reinterpret_cast<const char*>(data + 1), size - 1);
  if (result != SV::S_OK && result != SV::E_FAIL) std::abort();
  if (result == SV::E_FAIL && reader.GetLastError().text.IsEmpty()) std::abort();
  for (uint32_t index = 0; index < registry.skins.GetCount(); ++index) CheckTree(*registry.skins[index]);
  for (const auto& [name, list] : registry.lookLists)
    if (list->GetCount() > SV::SkinResourceElements::kMaxLooksPerList) std::abort();
  return 0;
}
