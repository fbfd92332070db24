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

# Links a target to system libraries through a delay-load table instead of its import table:
# lq_delay_load(target winmm msimg32). Windows looks for an imported library that is not on its list
# of known system libraries in the program's folder first, before the program's first line can say
# otherwise; a delay-loaded one loads at its first call, after UseSystemLibrariesOnly (shared/).
function(lq_delay_load target)
  foreach(dll IN LISTS ARGN)
    if(MSVC)
      target_link_libraries(${target} PUBLIC ${dll} delayimp)
      target_link_options(${target} PUBLIC /DELAYLOAD:${dll}.dll)
    else()
      # mingw-w64: a delay-import library made by dlltool from the functions of the import library.
      set(folder ${CMAKE_BINARY_DIR}/delay-load)
      set(delay_library ${folder}/lib${dll}_delay.a)
      if(NOT EXISTS ${delay_library})
        find_library(lq_import_library_${dll} ${dll} REQUIRED NO_CACHE)
        execute_process(COMMAND ${CMAKE_NM} -g ${lq_import_library_${dll}} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
        string(REGEX MATCHALL "[0-9a-f]+ T [A-Za-z0-9_@?]+" functions "${symbols}")
        list(TRANSFORM functions REPLACE "^[0-9a-f]+ T " "  ")
        list(JOIN functions "\n" exports)
        file(WRITE ${folder}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
        execute_process(COMMAND ${CMAKE_DLLTOOL} -d ${folder}/${dll}.def -y ${delay_library} COMMAND_ERROR_IS_FATAL ANY)
      endif()
      target_link_libraries(${target} PUBLIC ${delay_library})
    endif()
  endforeach()
endfunction()
