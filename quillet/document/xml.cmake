# XML engine: node tree, reader, writer and the shared Value type.
suite_core_library(quillet_xml_core
  ${CMAKE_CURRENT_LIST_DIR}/value.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_entities.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_writer.cpp)

suite_native_test(quillet_xml_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tests/xml_reader_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tests/xml_writer_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tests/xml_tree_tests.cpp
  LIBS quillet_xml_core)

suite_fuzz_target(quillet_xml_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/xml_fuzz.cpp
  LIBS quillet_xml_core
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/fuzz/xml_corpus)

if(SUITE_NATIVE)
  # Benchmark only: the two libraries it compares against are never linked
  # into anything else.
  find_package(pugixml QUIET)
  find_package(tinyxml2 QUIET)
  if(pugixml_FOUND AND tinyxml2_FOUND)
    suite_benchmark(quillet_xml_bench
      SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench/xml_bench.cpp
      LIBS quillet_xml_core pugixml::pugixml tinyxml2::tinyxml2)
    set(QUILLET_XML_BENCH_GENERATOR "${CMAKE_SOURCE_DIR}/../shared/bench/gen_tdf.py" CACHE FILEPATH
        "Generator of the benchmark document (gen_tdf.py)")
    if(TARGET quillet_xml_bench)
      target_compile_definitions(quillet_xml_bench PRIVATE
        QUILLET_XML_BENCH_GENERATOR="${QUILLET_XML_BENCH_GENERATOR}")
    endif()
  endif()
endif()

# The same tests built with MinGW and run under Wine: the engine must behave
# alike on the Windows C runtime (files opened through it, 32-bit long).
suite_win_test(quillet_xml_win_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tests/xml_reader_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tests/xml_writer_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tests/xml_tree_tests.cpp
  LIBS quillet_xml_core)
