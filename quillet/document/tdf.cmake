# TDF document: the icon set file (objects, properties and children as XML).
if(TARGET quillet_xml_core)
  # The object model's Value comes with the XML engine's core.
  suite_core_link(quillet_model_core quillet_xml_core)

  suite_core_library(quillet_tdf_core
    ${CMAKE_CURRENT_LIST_DIR}/tdf_document.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tdf_path.cpp)
  suite_core_link(quillet_tdf_core quillet_model_core quillet_xml_core)

  suite_native_test(quillet_tdf_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/tests/tdf_document_tests.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/tdf_path_tests.cpp
    LIBS quillet_tdf_core)

  suite_fuzz_target(quillet_tdf_fuzz
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/tdf_fuzz.cpp
    LIBS quillet_tdf_core
    CORPUS ${CMAKE_CURRENT_LIST_DIR}/fuzz/tdf_corpus)

  suite_benchmark(quillet_tdf_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench/tdf_bench.cpp
    LIBS quillet_tdf_core)

  if(SUITE_WINDOWS)
    add_library(quillet_tdf STATIC ${CMAKE_CURRENT_LIST_DIR}/tdf_win32.cpp)
    target_link_libraries(quillet_tdf PUBLIC quillet_tdf_core platform shell32 ole32)

    suite_win_test(quillet_tdf_win_tests
      SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/tdf_win_tests.cpp
      LIBS quillet_tdf)
  endif()
endif()
