#include "SVFramework/Controls/FileDialogFilters.h"

#include <string_view>

namespace SV {
namespace {

using Text = std::u16string;
using TextView = std::u16string_view;

std::vector<TextView> Split(TextView text, TextView delimiters) {
  std::vector<TextView> pieces;
  size_t start = 0;
  for (size_t at = text.find_first_of(delimiters); at != TextView::npos; at = text.find_first_of(delimiters, start)) {
    pieces.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

TextView Trim(TextView text) {
  const size_t first = text.find_first_not_of(u' ');
  if (first == TextView::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// The patterns of a list separated by the delimiters, blank ones left out.
std::vector<Text> Patterns(TextView list, TextView delimiters) {
  std::vector<Text> patterns;
  for (TextView piece : Split(list, delimiters)) {
    if (!Trim(piece).empty()) patterns.emplace_back(Trim(piece));
  }
  return patterns;
}

// The description without a final "(...)" that lists the same patterns.
TextView WithoutShownPatterns(TextView description, const std::vector<Text>& patterns) {
  const TextView trimmed = Trim(description);
  const size_t open = trimmed.rfind(u'(');
  if (trimmed.empty() || trimmed.back() != u')' || open == TextView::npos) return trimmed;
  const TextView shown = trimmed.substr(open + 1, trimmed.size() - open - 2);
  if (Patterns(shown, u"; ,") != patterns) return trimmed;
  return Trim(trimmed.substr(0, open));
}

Text NameFilter(TextView description, TextView patternList) {
  const std::vector<Text> patterns = Patterns(patternList, u";");
  if (patterns.empty()) return {};
  Text shown;
  for (const Text& pattern : patterns) {
    if (!shown.empty()) shown += u' ';
    shown += pattern == u"*.*" ? Text(u"*") : pattern;
  }
  const TextView label = WithoutShownPatterns(description, patterns);
  return label.empty() ? shown : Text(label) + u" (" + shown + u")";
}

}  // namespace

std::vector<std::u16string> MakeFileDialogNameFilters(const String& filter) {
  std::vector<std::u16string> filters;
  const std::vector<TextView> pieces = Split(filter.View(), u"|");
  for (size_t pair = 0; pair + 1 < pieces.size(); pair += 2) {
    Text nameFilter = NameFilter(pieces[pair], pieces[pair + 1]);
    if (!nameFilter.empty()) filters.push_back(std::move(nameFilter));
  }
  return filters;
}

std::u16string MakeFileDialogDefaultSuffix(const String& defaultExtension) {
  TextView suffix = Trim(defaultExtension.View());
  if (suffix.substr(0, 2) == u"*.") suffix.remove_prefix(2);
  if (suffix.substr(0, 1) == u".") suffix.remove_prefix(1);
  if (suffix.find_first_of(u"*?") != TextView::npos) return {};
  return Text(suffix);
}

}  // namespace SV
