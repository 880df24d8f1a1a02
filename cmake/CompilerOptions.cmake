# Warnings and flags shared by every target of the project.
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)
# Source paths in exception texts are relative to the source root.
add_compile_options(-fmacro-prefix-map=${CMAKE_SOURCE_DIR}/=)
# ccache with a base folder hands the compiler paths relative to the build folder.
file(RELATIVE_PATH SV_SOURCE_FROM_BUILD ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/)
if(SV_SOURCE_FROM_BUILD)
  add_compile_options(-fmacro-prefix-map=${SV_SOURCE_FROM_BUILD}=)
endif()

# LLVM's linker, where the machine has it: it links the large test programs several
# times faster than the system linker, and linking is a good part of a full build.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=lld SV_LINKER_LLD)
if(SV_LINKER_LLD)
  add_link_options(-fuse-ld=lld)
endif()
