# Settings shared by every target of our own: warnings, sanitizers, and how a core library is declared.

# Coverage instrumentation for libFuzzer in everything, so the fuzzers see into the core libraries.
if(LUNAQUILL_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(LUNAQUILL_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

function(lq_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${LUNAQUILL_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${LUNAQUILL_WERROR}>:-Werror>)
  endif()
endfunction()

# GoogleTest the ordinary CMake way; where no package is installed (or when cross-compiling, where the
# build machine's is no use), from Debian's source folder, built with our flags.
function(lq_use_googletest)
  if(TARGET GTest::gtest_main)
    return()
  endif()
  if(NOT CMAKE_CROSSCOMPILING)
    find_package(GTest QUIET)
  endif()
  if(NOT TARGET GTest::gtest_main)
    if(NOT EXISTS /usr/src/googletest/CMakeLists.txt)
      message(FATAL_ERROR "GoogleTest not found: install it, or configure with -DLUNAQUILL_BUILD_TESTS=OFF")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
endfunction()

# Version information for a program: lq_version_resource(target "description" "file name").
function(lq_version_resource target description filename)
  set(LQ_FILE_DESCRIPTION "${description}")
  set(LQ_INTERNAL_NAME "${target}")
  set(LQ_ORIGINAL_FILENAME "${filename}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
endfunction()
