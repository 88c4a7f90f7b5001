# Build helpers shared by every folder of the suite.
#
# Native configure (host clang): the portable core, its sanitized unit tests,
# its fuzz targets and its benchmarks.
# Windows configure (MinGW): the programs, the DLLs, the language libraries and
# the Windows tests, which CTest runs through Wine.

if(SUITE_WINDOWS)
  # Everything a program needs at run time lands in bin/, laid out as it ships.
  set(SUITE_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
  set(SUITE_TEST_BIN_DIR ${CMAKE_BINARY_DIR}/tests)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${SUITE_BIN_DIR})
  set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${SUITE_BIN_DIR})

  # Static C and C++ runtimes and winpthread: no MinGW DLL is needed at run time.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0500 NOMINMAX STRICT)

  # GoogleTest from Debian's source package, built with the cross compiler.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  # One private Wine prefix and display per build tree, kept up for the test run.
  set(SUITE_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
  if(NOT SUITE_WINE_ARCH)
    set(SUITE_WINE_ARCH win32)
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh ${SUITE_WINE_STATE})
  add_test(NAME wine_session_start
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh start ${SUITE_WINE_STATE} ${SUITE_WINE_ARCH})
  add_test(NAME wine_session_stop
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh stop ${SUITE_WINE_STATE}
                   ${CMAKE_BINARY_DIR}/screenshots)
  set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)
else()
  find_package(GTest REQUIRED)
  find_package(benchmark QUIET)
  include(GoogleTest)

  set(SUITE_FUZZ_SECONDS 15 CACHE STRING "How long CTest runs each fuzz target")

  # Unit tests and fuzz targets use a sanitized, coverage-instrumented build of
  # the core; benchmarks use the plain optimised one.
  add_library(suite_sanitize INTERFACE)
  target_compile_options(suite_sanitize INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
    $<$<CXX_COMPILER_ID:Clang>:-fsanitize=fuzzer-no-link>)
  target_link_options(suite_sanitize INTERFACE -fsanitize=address,undefined)
endif()

# A library of portable code (no <windows.h>). In the native build it exists
# twice: NAME for benchmarks and NAME_san for tests and fuzz targets.
function(suite_core_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(SUITE_NATIVE)
    add_library(${name}_san STATIC ${ARGN})
    target_include_directories(${name}_san PUBLIC ${CMAKE_SOURCE_DIR})
    suite_link_sanitized(${name}_san PUBLIC)
  endif()
endfunction()

# Links TARGET (with SCOPE PUBLIC or PRIVATE) against the sanitized build: the
# sanitizer options and the NAME_san flavour of each core library named.
function(suite_link_sanitized target scope)
  list(TRANSFORM ARGN APPEND _san OUTPUT_VARIABLE sanitized)
  target_link_libraries(${target} ${scope} ${sanitized} suite_sanitize)
endfunction()

# Links core library NAME against other core libraries, in both flavours.
function(suite_core_link name)
  target_link_libraries(${name} PUBLIC ${ARGN})
  if(SUITE_NATIVE)
    suite_link_sanitized(${name}_san PUBLIC ${ARGN})
  endif()
endfunction()

# Native unit test: suite_native_test(NAME SOURCES a.cpp ... LIBS core_lib ...)
# LIBS name core libraries; their sanitized flavour is linked.
function(suite_native_test name)
  if(NOT SUITE_NATIVE)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  suite_link_sanitized(${name} PRIVATE ${T_LIBS})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main)
  # Each test is named after its test program too, so that a folder's tests can
  # be picked by name (`ctest -R quillet`).
  gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 60)
endfunction()

# libFuzzer target run briefly by CTest over its committed seed corpus.
# suite_fuzz_target(NAME SOURCES a.cpp ... LIBS core_lib ... CORPUS dir)
function(suite_fuzz_target name)
  if(NOT SUITE_NATIVE OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    return()
  endif()
  cmake_parse_arguments(T "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  suite_link_sanitized(${name} PRIVATE ${T_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${SUITE_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
                   -print_final_stats=1 ${work} ${T_CORPUS})
endfunction()

# Google Benchmark program over the optimised core (not run by the tests).
function(suite_benchmark name)
  if(NOT SUITE_NATIVE OR NOT benchmark_FOUND)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# Windows test program, run by CTest through Wine inside the shared session.
# suite_win_test(NAME SOURCES a.cpp ... LIBS lib ... [RESOURCES x.rc])
function(suite_win_test name)
  if(NOT SUITE_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SUITE_TEST_BIN_DIR})
  target_link_libraries(${name} PRIVATE ${T_LIBS} suite_test_support gtest gtest_main)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${SUITE_TEST_BIN_DIR})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600)
  # Test programs that take screen pictures carry the label "screenshots", so
  # that scripts/screenshots.sh runs just those (the scripts configure before
  # every run, so the label follows the sources). Any call of a name ending in
  # "Picture" counts, so a test's own wrapper around SaveScreenPicture does too.
  foreach(source IN LISTS T_SOURCES)
    get_filename_component(source ${source} ABSOLUTE)
    if(source MATCHES "\\.cpp$" AND EXISTS ${source})
      file(STRINGS ${source} pictures REGEX "Picture\\(" LIMIT_COUNT 1)
      if(pictures)
        set_property(TEST ${name} APPEND PROPERTY LABELS screenshots)
        break()
      endif()
    endif()
  endforeach()
endfunction()
