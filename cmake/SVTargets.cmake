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

# sv_add_library(NAME DIRS dir... [DEPS target...])
# One static library per subsystem, made of every .cpp file in the given folders
# (relative to the current source folder). New files are picked up on the next build.
function(sv_add_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
  sv_sources_of(sources ${ARG_DIRS})
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# sv_add_test_binary(NAME DIRS dir... DEPS target...)
# One GoogleTest binary made of every *Test.cpp file in the given folders, its tests
# registered with CTest one by one.
function(sv_add_test_binary name)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
  sv_sources_of(sources ${ARG_DIRS})
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES LABELS ${name})
endfunction()
