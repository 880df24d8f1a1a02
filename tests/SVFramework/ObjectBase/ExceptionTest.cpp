#include "SVFramework/ObjectBase/Exception.h"

#include <gtest/gtest.h>

#include <string>

namespace SV {
namespace {

TEST(FormatResultCode, WritesUpperCaseHexadecimalWithoutLeadingZeros) {
  EXPECT_EQ(FormatResultCode(E_FAIL), "SVRESULT = 80004005");
  EXPECT_EQ(FormatResultCode(E_INVALIDARG), "SVRESULT = 80070057");
  EXPECT_EQ(FormatResultCode(E_OUTOFMEMORY), "SVRESULT = 8007000E");
  EXPECT_EQ(FormatResultCode(0), "SVRESULT = 0");
  EXPECT_EQ(FormatResultCode(-1), "SVRESULT = FFFFFFFF");
}

// Splits an exception text at " : " so fields can be checked without the path and line.
std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t found; (found = text.find(" : ", start)) != std::string::npos; start = found + 3)
    fields.push_back(text.substr(start, found - start));
  fields.push_back(text.substr(start));
  return fields;
}

TEST(ExceptionText, JoinsKindMessageFunctionPathAndLine) {
  try {
    SV_RAISE(std::logic_error, "Invalid FirstParamID", "LCCValues::SetFirstParamID");
  } catch (const std::logic_error& error) {
    const auto fields = Fields(error.what());
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(fields[0], "Logic Error");
    EXPECT_EQ(fields[1], "Invalid FirstParamID");
    EXPECT_EQ(fields[2], "LCCValues::SetFirstParamID");
    EXPECT_EQ(fields[3], "tests/SVFramework/ObjectBase/ExceptionTest");
    EXPECT_EQ(fields[4].rfind("Line ", 0), 0u);
  }
}

TEST(ExceptionText, LeavesOutAnEmptyMessageField) {
  try {
    SV_RAISE(std::runtime_error, "", "SV::VariantEx::GetBuffer");
  } catch (const std::runtime_error& error) {
    const auto fields = Fields(error.what());
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[0], "Runtime Error");
    EXPECT_EQ(fields[1], "SV::VariantEx::GetBuffer");
  }
}

TEST(ExceptionText, NullPointerFormIsARuntimeErrorWithItsDescription) {
  try {
    SV_RAISE_NULL_POINTER("Cannot find child midiUSB", "LDeviceView::Initialize");
  } catch (const std::runtime_error& error) {
    const auto fields = Fields(error.what());
    ASSERT_EQ(fields.size(), 6u);
    EXPECT_EQ(fields[0] + " : " + fields[1] + " : " + fields[2] + " : " + fields[3],
              "Runtime Error : Null Pointer : Cannot find child midiUSB : LDeviceView::Initialize");
  }
}

TEST(ExceptionText, KindWordsFollowTheExceptionType) {
  auto kindOf = [](auto raise) {
    try {
      raise();
    } catch (const std::exception& error) {
      return Fields(error.what())[0];
    }
    return std::string();
  };
  EXPECT_EQ(kindOf([] { SV_RAISE(std::out_of_range, "", "f"); }), "Out of Range");
  EXPECT_EQ(kindOf([] { SV_RAISE(std::domain_error, "", "f"); }), "Domain Error");
  EXPECT_EQ(kindOf([] { SV_RAISE(std::invalid_argument, "", "f"); }), "Invalid Argument");
  EXPECT_EQ(kindOf([] { SV_RAISE_ON_FAILURE(E_FAIL, "f"); }), "Failed Result");
}

TEST(FailedResult, PassesARuntimeErrorHandlerAndReachesTheStandardBase) {
  bool caughtAsRuntimeError = false;
  std::string text;
  try {
    try {
      SV_RAISE_ON_FAILURE(E_INVALIDARG, "SV::LControl::Initialize");
    } catch (const std::runtime_error&) {
      caughtAsRuntimeError = true;
    }
  } catch (const std::exception& error) {
    text = error.what();
  }
  EXPECT_FALSE(caughtAsRuntimeError);
  EXPECT_EQ(Fields(text)[1], "SVRESULT = 80070057");
}

TEST(FailedResult, SuccessesPassSilently) {
  EXPECT_NO_THROW(SV_RAISE_ON_FAILURE(0, "f"));
  EXPECT_NO_THROW(SV_RAISE_ON_FAILURE(1, "f"));
}

TEST(ExceptionBase, WhatGivesTheStandardText) {
  try {
    SV_RAISE(std::domain_error, "unsupported", "SV::LRenderer::Create");
  } catch (const ExceptionBase& error) {
    EXPECT_STREQ(error.What(), dynamic_cast<const std::exception&>(error).what());
    EXPECT_EQ(Fields(error.What())[1], "unsupported");
  }
}

TEST(BadAllocation, SaysBadAllocationAndIsAStandardBadAlloc) {
  try {
    throw Exception<std::bad_alloc>();
  } catch (const std::bad_alloc& error) {
    EXPECT_STREQ(error.what(), "bad allocation");
  }
}

TEST(ExceptionSourcePath, IsRelativeToTheSubsystemRootWithoutExtension) {
  EXPECT_EQ(ExceptionSourcePath("SVFramework/Utilities/Storage/StringT.h"), "Utilities/Storage/StringT");
  EXPECT_EQ(ExceptionSourcePath("Panel/UI/DeviceView.cpp"), "UI/DeviceView");
  EXPECT_EQ(ExceptionSourcePath("DeviceControl/GeneratedCode/Engine/Src/CCValues.cpp"),
            "../DeviceControl/GeneratedCode/Engine/Src/CCValues");
}

}  // namespace
}  // namespace SV
