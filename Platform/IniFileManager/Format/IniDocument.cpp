#include "Platform/IniFileManager/Format/IniDocument.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "Platform/IniFileManager/Format/IniTextRules.h"

namespace IniFile {
namespace {

IniLine MakeEntry(std::string_view key, std::string_view value) {
  IniLine line{IniLine::Kind::Entry, std::string(key) + "=", std::string(key), std::string(value), 0};
  line.valueStart = line.text.size();
  line.text += QuoteValueIfNeeded(value);
  return line;
}

void ChangeEntryValue(IniLine& entry, std::string_view value) {
  entry.text.resize(entry.valueStart);
  entry.text += QuoteValueIfNeeded(value);
  entry.value = value;
}

bool IsEntry(const IniLine& line, std::string_view key) {
  return line.kind == IniLine::Kind::Entry && line.name == key;
}

}  // namespace

IniDocument::IniDocument(IniLayout layout) : mLayout(std::move(layout)), mSections(1) {}

void IniDocument::AppendLine(IniLine line) {
  if (line.kind == IniLine::Kind::SectionHeader) {
    mSections.push_back(Section{line.name, std::move(line), {}});
    return;
  }
  mSections.back().body.push_back(std::move(line));
}

void IniDocument::AppendComment(std::string_view text) {
  mSections.front().body.push_back(IniLine{IniLine::Kind::Comment, "; " + std::string(text), {}, {}, 0});
}

std::string IniDocument::Serialise() const {
  std::string bytes(mLayout.byteOrderMark ? kByteOrderMark : std::string_view());
  bool first = true;
  auto appendLine = [&](const IniLine& line) {
    if (!first) bytes += mLayout.lineBreak;
    bytes += line.text;
    first = false;
  };
  for (const Section& section : mSections) {
    if (section.header) appendLine(*section.header);
    std::for_each(section.body.begin(), section.body.end(), appendLine);
  }
  if (!first && mLayout.endsWithLineBreak) bytes += mLayout.lineBreak;
  return bytes;
}

bool IniDocument::HasSection(std::string_view section) const {
  return std::any_of(mSections.begin(), mSections.end(),
                     [&](const Section& candidate) { return candidate.name == section; });
}

bool IniDocument::HasSectionBelow(std::string_view section) const {
  return std::any_of(mSections.begin(), mSections.end(), [&](const Section& candidate) {
    return candidate.name.size() > section.size() && candidate.name.starts_with(section) &&
           candidate.name[section.size()] == '/';
  });
}

const std::string* IniDocument::FindValue(std::string_view section, std::string_view key) const {
  const IniLine* entry = FindEntry(section, key);
  return entry ? &entry->value : nullptr;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  std::unordered_set<std::string_view> seen;
  for (const Section& candidate : mSections) {
    if (candidate.name != section) continue;
    for (const IniLine& line : candidate.body) {
      if (line.kind == IniLine::Kind::Entry && seen.insert(line.name).second) names.push_back(line.name);
    }
  }
  return names;
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  if (IniLine* entry = FindEntry(section, key)) {
    ChangeEntryValue(*entry, value);
    return;
  }
  if (!FindSection(section)) AppendSection(section);
  Section& target = *FindSection(section);
  const auto position = target.body.begin() + static_cast<std::ptrdiff_t>(InsertionPoint(target));
  target.body.insert(position, MakeEntry(key, value));
}

void IniDocument::RemoveKeys(std::string_view section,
                             const std::function<bool(std::string_view key)>& matches) {
  for (Section& candidate : mSections) {
    if (candidate.name != section) continue;
    std::erase_if(candidate.body, [&](const IniLine& line) {
      return line.kind == IniLine::Kind::Entry && matches(line.name);
    });
  }
}

IniLine* IniDocument::FindEntry(std::string_view section, std::string_view key) {
  return const_cast<IniLine*>(std::as_const(*this).FindEntry(section, key));
}

const IniLine* IniDocument::FindEntry(std::string_view section, std::string_view key) const {
  for (const Section& candidate : mSections) {
    if (candidate.name != section) continue;
    const auto found = std::find_if(candidate.body.begin(), candidate.body.end(),
                                    [&](const IniLine& line) { return IsEntry(line, key); });
    if (found != candidate.body.end()) return &*found;
  }
  return nullptr;
}

IniDocument::Section* IniDocument::FindSection(std::string_view section) {
  const auto found = std::find_if(mSections.begin(), mSections.end(),
                                  [&](const Section& candidate) { return candidate.name == section; });
  return found == mSections.end() ? nullptr : &*found;
}

// After the section's last entry, so that the blank lines and comments that lead to
// the next section stay with it; in the root section without entries, after the
// file's leading block of comments.
std::size_t IniDocument::InsertionPoint(const Section& section) const {
  const auto& body = section.body;
  const auto lastEntry = std::find_if(body.rbegin(), body.rend(), [](const IniLine& line) {
    return line.kind == IniLine::Kind::Entry;
  });
  if (lastEntry != body.rend()) return static_cast<std::size_t>(body.rend() - lastEntry);
  if (section.header) return 0;
  const auto firstBlank = std::find_if(body.begin(), body.end(), [](const IniLine& line) {
    return line.kind == IniLine::Kind::Blank;
  });
  return static_cast<std::size_t>(firstBlank - body.begin());
}

void IniDocument::AppendSection(std::string_view section) {
  const bool fileIsEmpty = mSections.size() == 1 && mSections.front().body.empty();
  if (!fileIsEmpty && !LastLineIsBlank()) mSections.back().body.push_back(IniLine{});
  IniLine header{IniLine::Kind::SectionHeader, "[" + std::string(section) + "]", std::string(section), {}, 0};
  AppendLine(std::move(header));
}

bool IniDocument::LastLineIsBlank() const {
  const Section& last = mSections.back();
  if (!last.body.empty()) return last.body.back().kind == IniLine::Kind::Blank;
  return !last.header;
}

}  // namespace IniFile
