# The contents page and the general panel. Their rules build natively too;
# the pages themselves only for Windows.
suite_core_library(quillet_option_pages_core
  contents_page_rules.cpp
  general_panel_rules.cpp)
suite_core_link(quillet_option_pages_core quillet_model_core)

suite_native_test(quillet_option_pages_tests
  SOURCES
    tests/contents_page_rules_tests.cpp
    tests/general_panel_rules_tests.cpp
  LIBS quillet_option_pages_core)

if(NOT SUITE_WINDOWS)
  return()
endif()
