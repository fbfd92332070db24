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

# GoogleTest from the system's sources (Debian's googletest package), built with our flags.
function(lq_use_googletest)
  if(NOT TARGET GTest::gtest_main)
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
