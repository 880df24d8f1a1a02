#pragma once
#include <gtest/gtest.h>

#include <string>

namespace SV::Testing {

// A test name made from a row's description: its words run together, each begun with a
// capital, everything but ASCII letters and digits left out ("a lone continuation
// byte" gives "ALoneContinuationByte"). Stable across runs, so --rerun-failed finds it.
inline std::string CaseName(const char* description) {
  std::string name;
  bool wordStart = true;
  for (const char* c = description; *c; ++c) {
    const char ch = *c;
    const bool letter = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
    if (!letter && !(ch >= '0' && ch <= '9')) {
      wordStart = true;
      continue;
    }
    name += wordStart && ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
    wordStart = false;
  }
  return name;
}

// The name generator of a parameterised suite whose rows describe themselves in a
// `what` field: names come from the descriptions, never from the rows' bytes.
struct NameFromWhat {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return CaseName(info.param.what);
  }
};

}  // namespace SV::Testing
