#pragma once
#include <exception>
#include <new>
#include <stdexcept>
#include <string>

#include "SVFramework/ObjectBase/SVResult.h"

namespace SV {

// Mix-in of every framework exception: gives the text of the standard exception
// that the same object also is.
class ExceptionBase {
public:
  virtual ~ExceptionBase() = default;
  const char* What() const;
};

// Carries a failed SVRESULT as text. Derives from std::exception only, so a handler
// for std::runtime_error does not catch it.
class FailedResultException : public std::exception {
public:
  explicit FailedResultException(std::string message) : mMessage(std::move(message)) {}
  const char* what() const noexcept override { return mMessage.c_str(); }

private:
  std::string mMessage;
};

// The framework exception over a standard exception E. Its text is the whole
// message built at the raise site (see RaiseText).
template <class E>
class Exception : public E, public ExceptionBase {
public:
  explicit Exception(const char* message) : E(message) {}
  explicit Exception(const std::string& message) : E(message) {}
};

template <>
class Exception<std::bad_alloc> : public std::bad_alloc, public ExceptionBase {
public:
  Exception() = default;
  const char* what() const noexcept override { return "bad allocation"; }
};

// "SVRESULT = " and the code in upper-case hexadecimal ("SVRESULT = 80004005").
std::string FormatResultCode(SVRESULT result);

// The kind word that starts the text of each exception type.
template <class E> constexpr const char* ExceptionKind();
template <> constexpr const char* ExceptionKind<std::logic_error>() { return "Logic Error"; }
template <> constexpr const char* ExceptionKind<std::runtime_error>() { return "Runtime Error"; }
template <> constexpr const char* ExceptionKind<std::out_of_range>() { return "Out of Range"; }
template <> constexpr const char* ExceptionKind<std::domain_error>() { return "Domain Error"; }
template <> constexpr const char* ExceptionKind<std::invalid_argument>() { return "Invalid Argument"; }
template <> constexpr const char* ExceptionKind<FailedResultException>() { return "Failed Result"; }

// Source path as exception texts show it: relative to its subsystem's root folder,
// without extension ("Utilities/Storage/StringT"); editor files from the editor's
// root ("UI/DeviceView"), the generated engine through "../DeviceControl/...".
std::string ExceptionSourcePath(const char* file);

// Joins kind, message (left out when empty), function, source path and "Line N"
// with " : ".
std::string RaiseText(const char* kind, const std::string& message, const char* function,
                      const char* file, int line);

}  // namespace SV

// Raise SV::Exception<E> with a message (may be empty) from the named function.
#define SV_RAISE(E, message, function) \
  throw ::SV::Exception<E>(::SV::RaiseText(::SV::ExceptionKind<E>(), (message), (function), __FILE__, __LINE__))

// Raise the "Null Pointer" form of the runtime error.
#define SV_RAISE_NULL_POINTER(message, function) \
  throw ::SV::Exception<std::runtime_error>(::SV::RaiseText("Runtime Error : Null Pointer", (message), (function), __FILE__, __LINE__))

// Raise a failed result when `result` is negative; successes pass silently.
#define SV_RAISE_ON_FAILURE(result, function)                                                         \
  do {                                                                                                \
    const SVRESULT svResultToCheck = (result);                                                        \
    if (svResultToCheck < 0)                                                                          \
      SV_RAISE(::SV::FailedResultException, ::SV::FormatResultCode(svResultToCheck), (function));     \
  } while (false)
