# Every .cpp file in the given folders (relative to the current source folder), in
# `out`. New files are picked up on the next build.
function(sv_sources_of out)
  set(sources)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# sv_add_library(NAME DIRS dir... [FILES file...] [EXCLUDE file...] [DEPS target...])
# One static library per subsystem, made of every .cpp file in the given folders
# (relative to the current source folder), plus FILES, less EXCLUDE (relative to the
# current source folder, or absolute). New files are picked up on the next build.
function(sv_add_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;FILES;EXCLUDE;DEPS" ${ARGN})
  sv_sources_of(sources ${ARG_DIRS})
  foreach(file IN LISTS ARG_FILES)
    list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  endforeach()
  foreach(file IN LISTS ARG_EXCLUDE)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    list(REMOVE_ITEM sources ${file})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# sv_add_test_binary(NAME [DIRS dir...] [FILES file...] DEPS target... [EXCLUDE file...]
#                    [PRECOMPILE header...])
# One GoogleTest binary made of every *Test.cpp file in the given folders and the
# given files (but the excluded ones; FILES and EXCLUDE are absolute paths), its tests registered with CTest one by one under
# their GoogleTest names (NO_PRETTY_VALUES: a
# parameter's printed bytes never become part of a name, so names stay the same from
# run to run and --rerun-failed finds them). With SV_TESTS_PER_BINARY the binary is
# one test that runs all its cases in one process: under a sanitizer, starting a
# process per case costs more than the cases themselves. Such a test may take 400 s
# (the slowest binary takes well under 100 s alone): a hang inside a sanitizer's
# runtime (ThreadSanitizer can deadlock when the JACK library cancels one of its
# threads) then costs minutes, and the run's one retry after a time-out takes over.
function(sv_add_test_binary name)
  cmake_parse_arguments(ARG "" "" "DIRS;FILES;DEPS;EXCLUDE;PRECOMPILE" ${ARGN})
  sv_sources_of(sources ${ARG_DIRS})
  list(APPEND sources ${ARG_FILES})
  if(ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${ARG_EXCLUDE})
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Test code is compiled without optimisation: it halves the build, and the code under
  # test keeps the build's own optimisation in its libraries.
  target_compile_options(${name} PRIVATE $<$<CONFIG:Release,RelWithDebInfo>:-O0>)
  # Every test file parses GoogleTest and GoogleMock, and many the framework's control
  # headers; clang reads a precompiled header lazily, so parsing them once per binary
  # saves most of a test file's build. (g++ loads its whole image into every file, which
  # costs more than it saves.)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND SV_PRECOMPILE_TEST_HEADERS)
    target_precompile_headers(${name} PRIVATE <gtest/gtest.h> <gmock/gmock.h> ${ARG_PRECOMPILE})
  endif()
  if(SV_TESTS_PER_BINARY)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES LABELS ${name} TIMEOUT 400)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                         PROPERTIES LABELS ${name})
  endif()
endfunction()

# sv_label_jack_tests(NAME)
# The tests of test binary NAME whose names contain "Jack" open JACK clients (most
# against a real JACK server): they get the label Jack besides the binary's own and the
# resource lock JackServer, since the JACK library fails at random when clients of
# several servers open at the same moment, so only one such test runs at a time.
# Call it in the folder that registered the binary's tests, after them: the script
# runs after the test discovery's own, on the list of tests it found.
function(sv_label_jack_tests name)
  if(SV_TESTS_PER_BINARY)
    set_tests_properties(${name} PROPERTIES LABELS "${name};Jack" RESOURCE_LOCK JackServer)
    return()
  endif()
  string(CONFIGURE [=[
foreach(test IN LISTS @name@_TESTS)
  if(test MATCHES "Jack")
    set_tests_properties("${test}" PROPERTIES LABELS "@name@;Jack" RESOURCE_LOCK JackServer)
  endif()
endforeach()
]=] script @ONLY)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}JackLabels.cmake "${script}")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_CURRENT_BINARY_DIR}/${name}JackLabels.cmake)
endfunction()
