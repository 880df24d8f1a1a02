#include "SVFramework/Controls/MenuDescriptor.h"

#include <cstdlib>
#include <string>

// Reads arbitrary bytes as menu strings, one "key=value" pair a line (a line without
// "=" is a key with an empty value), and builds a menu from them. Whatever the bytes,
// the builder returns a root whose items point back at their parents, nests no deeper
// than its limit, holds no more items than its budget, and clones to a tree of the
// same shape. The budget is a small one: with the real one an input that doubles its
// submenus builds 65,536 items, and the fuzzer would run a handful of inputs a minute.
namespace {

constexpr uint32_t kItemBudget = 512;

// The number of items below `menu`, which is `depth` levels below the root. A submenu
// (an item with items) is nested at most the limit deep; its items may be one deeper.
uint32_t CheckTree(const SV::LMenuDescriptor& menu, int32_t depth) {
  if (menu.Items.GetCount() > 0 && depth > SV::LMenuDescriptor::kMaxStringDepth) std::abort();
  uint32_t count = menu.Items.GetCount();
  for (uint32_t index = 0; index < menu.Items.GetCount(); ++index) {
    const SV::LMenuItemDescriptor* item = menu.Items[index].Get();
    if (!item || item->GetParent() != &menu) std::abort();
    if (item->Separator && !item->CommandID.IsEmpty()) std::abort();
    count += CheckTree(*item, depth + 1);
  }
  return count;
}

bool SameShape(const SV::LMenuDescriptor& a, const SV::LMenuDescriptor& b) {
  if (a.Items.GetCount() != b.Items.GetCount()) return false;
  for (uint32_t index = 0; index < a.Items.GetCount(); ++index) {
    const SV::LMenuItemDescriptor& x = *a.Items[index];
    const SV::LMenuItemDescriptor& y = *b.Items[index];
    if (!(x.Label == y.Label) || !(x.CommandID == y.CommandID) || x.Separator != y.Separator) return false;
    if (!SameShape(x, y)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SV::Array<SV::StringPair> pairs;
  const std::string text(reinterpret_cast<const char*>(data), size);
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    const size_t equals = line.find('=');
    SV::String key;
    SV::String value;
    key.AssignUTF8(line.data(), static_cast<int32_t>(equals == std::string::npos ? line.size() : equals));
    if (equals != std::string::npos)
      value.AssignUTF8(line.data() + equals + 1, static_cast<int32_t>(line.size() - equals - 1));
    pairs.Append(SV::StringPair{key, value});
    start = end + 1;
  }
  const SV::RCPtr<SV::LMenuDescriptor> menu = SV::LMenuDescriptor::BuildFromStrings(pairs, kItemBudget);
  if (!menu || menu->GetParent()) std::abort();
  if (CheckTree(*menu, 0) > kItemBudget) std::abort();
  const SV::RCPtr<SV::LMenuDescriptor> copy = menu->Clone();
  if (!SameShape(*menu, *copy)) std::abort();
  return 0;
}
