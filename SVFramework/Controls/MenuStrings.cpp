#include <climits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "SVFramework/Controls/MenuDescriptor.h"
#include "SVFramework/Utilities/Storage/CharacterClasses.h"

// The builder of menus from string-table entries. Keys are dot-separated: "NN.NID" is
// command item NN, "NN.-" separator NN, "NN.Sub." the header of submenu Sub; the same
// three forms prefixed by "Sub." are entries of submenu Sub. Values are "label" or
// "label|description". Numbers of each list must run 0, 1, 2, ... in key order.
namespace SV {
namespace {

using Text = std::u16string;
using TextView = std::u16string_view;

struct Entry {
  Text name;
  Text value;
};
using EntryList = std::vector<Entry>;
using SubmenuLists = std::map<Text, EntryList>;

// Pieces between dots, empty ones kept; nothing follows a final dot.
std::vector<TextView> SplitKey(TextView key) {
  std::vector<TextView> parts;
  size_t start = 0;
  while (start < key.size()) {
    const size_t dot = key.find(u'.', start);
    if (dot == TextView::npos) {
      parts.push_back(key.substr(start));
      return parts;
    }
    parts.push_back(key.substr(start, dot - start));
    start = dot + 1;
  }
  if (key.empty() || parts.empty()) parts.push_back(key);
  return parts;
}

// The leading decimal number: optional blanks and sign, then digits up to the first
// other character; 0 without digits. Saturates instead of overflowing.
int64_t LeadingSignedNumber(TextView text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) negative = text[at++] == u'-';
  int64_t number = 0;
  for (; at < text.size() && IsAsciiDigit(text[at]); ++at) {
    number = number > INT32_MAX ? number : number * 10 + (text[at] - u'0');
  }
  return negative ? -number : number;
}

class MenuStringBuilder {
public:
  explicit MenuStringBuilder(uint32_t maxItems) : mMaxItems(maxItems) {}
  void Collect(TextView key, TextView value);
  void BuildTree(const EntryList& list, LMenuDescriptor& target, int32_t depth);
  const EntryList& TopLevel() const { return mTopLevel; }

private:
  bool IsOpen(const Text& name) const;
  bool IsFull() const { return mBuiltItems >= mMaxItems; }
  void Append(LMenuDescriptor& target, const RCPtr<LMenuItemDescriptor>& item);
  void AddHeader(LMenuDescriptor& target, const Text& submenu, TextView label, TextView description, int32_t depth);

  EntryList mTopLevel;
  SubmenuLists mSubmenus;
  std::vector<Text> mOpenPath;
  const uint32_t mMaxItems;
  uint32_t mBuiltItems = 0;
};

void MenuStringBuilder::Collect(TextView key, TextView value) {
  const std::vector<TextView> parts = SplitKey(key);
  if (parts.size() < 2) return;
  const bool topLevel = !parts[0].empty() && IsAsciiDigit(parts[0][0]);
  int64_t number = -1;
  if (topLevel) {
    number = LeadingSignedNumber(parts[0]);
  } else if (!parts[0].empty()) {
    number = LeadingSignedNumber(parts[1]);
  }
  const size_t namePart = topLevel ? 1 : 2;
  Text name;
  if (namePart < parts.size()) {
    name = Text(parts[namePart]);
    if (key.back() == u'.') name += u'.';
  }
  EntryList& list = topLevel ? mTopLevel : mSubmenus[Text(parts[0])];
  if (number != static_cast<int64_t>(list.size())) return;
  list.push_back({std::move(name), Text(value)});
}

bool MenuStringBuilder::IsOpen(const Text& name) const {
  for (const Text& open : mOpenPath) {
    if (open == name) return true;
  }
  return false;
}

void MenuStringBuilder::Append(LMenuDescriptor& target, const RCPtr<LMenuItemDescriptor>& item) {
  target.InsertAt(target.Items.GetCount(), item);
  ++mBuiltItems;
}

// A header whose submenu is unknown, already open on the current path (a submenu that
// contains itself) or nested too deep is dropped.
void MenuStringBuilder::AddHeader(LMenuDescriptor& target, const Text& submenu, TextView label, TextView description,
                                  int32_t depth) {
  const auto found = mSubmenus.find(submenu);
  if (found == mSubmenus.end() || IsOpen(submenu) || depth >= LMenuDescriptor::kMaxStringDepth) return;
  const RCPtr<LMenuItemDescriptor> header = LMenuDescriptor::MakeItem(Text(label).c_str(), String(), true, false);
  if (!description.empty()) header->Description = Text(description).c_str();
  Append(target, header);
  mOpenPath.push_back(submenu);
  BuildTree(found->second, *header, depth + 1);
  mOpenPath.pop_back();
}

// The target is new and empty; a header keeps the link to its parent menu. Once the
// item budget is spent, the remaining entries are left out.
void MenuStringBuilder::BuildTree(const EntryList& list, LMenuDescriptor& target, int32_t depth) {
  for (const Entry& entry : list) {
    if (IsFull()) return;
    const TextView value(entry.value);
    const size_t bar = value.find(u'|');
    const TextView label = value.substr(0, bar);
    const TextView description = bar == TextView::npos ? TextView() : value.substr(bar + 1);
    if (!entry.name.empty() && entry.name.back() == u'.') {
      const size_t end = entry.name.find_last_not_of(u'.');
      AddHeader(target, entry.name.substr(0, end == Text::npos ? 0 : end + 1), label, description, depth);
    } else if (entry.name == u"-") {
      Append(target, LMenuDescriptor::MakeSeparator());
    } else {
      const RCPtr<LMenuItemDescriptor> item = LMenuDescriptor::MakeItem(Text(label).c_str(), entry.name.c_str(), true, false);
      item->Description = Text(description).c_str();
      Append(target, item);
    }
  }
}

}  // namespace

RCPtr<LMenuDescriptor> LMenuDescriptor::BuildFromStrings(const Array<StringPair>& pairs, uint32_t maxItems) {
  MenuStringBuilder builder(maxItems);
  for (uint32_t index = 0; index < pairs.GetCount(); ++index) {
    builder.Collect(pairs[index].first.View(), pairs[index].second.View());
  }
  RCPtr<LMenuDescriptor> root(new LMenuDescriptor);
  builder.BuildTree(builder.TopLevel(), *root, 0);
  return root;
}

}  // namespace SV
