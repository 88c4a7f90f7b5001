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

add_library(quillet_option_pages STATIC
  contents_page_win32.cpp
  contents_page_sheets_win32.cpp
  general_panel_win32.cpp)
target_include_directories(quillet_option_pages PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(quillet_option_pages PUBLIC quillet_option_pages_core quillet_ui quillet_application
                      quillet_strings quillet_model_core platform comctl32)
# The default actions of the contents page are the property sheets and the
# wizard; a program that creates the page without its own actions links them.
if(TARGET quillet_sheets)
  target_link_libraries(quillet_option_pages PUBLIC quillet_sheets)
endif()

# What the resource fragment reads; every script that includes it names these
# as its OBJECT_DEPENDS, since the resource compiler's includes are not tracked.
set(QUILLET_PAGES_RESOURCE_FILES
  ${CMAKE_CURRENT_SOURCE_DIR}/pages_resources.rc
  ${CMAKE_CURRENT_SOURCE_DIR}/pages_resource_ids.h
  ${CMAKE_CURRENT_SOURCE_DIR}/res/contents_page_drag.cur)
# The test script also includes the message dialog and the property sheets'
# fragments (a folder item's preview).
set(quillet_pages_test_resources
  ${QUILLET_PAGES_RESOURCE_FILES}
  ${CMAKE_SOURCE_DIR}/quillet/ui/ui_resources.rc
  ${CMAKE_SOURCE_DIR}/quillet/ui/ui_resource_ids.h
  ${CMAKE_SOURCE_DIR}/quillet/ui/sheets_resources.rc
  ${CMAKE_SOURCE_DIR}/quillet/ui/sheets_resource_ids.h)
set_source_files_properties(tests/pages_win_tests.rc PROPERTIES OBJECT_DEPENDS "${quillet_pages_test_resources}")

suite_win_test(quillet_option_pages_win_tests
  SOURCES
    tests/contents_page_win_tests.cpp
    tests/general_panel_win_tests.cpp
    tests/pages_win_test_support.cpp
    tests/pages_win_tests.rc
  LIBS quillet_option_pages quillet_test_application)
suite_version_resource(quillet_option_pages_win_tests VERSION 1.0.0.0 INTERNAL_NAME quillet
  DESCRIPTION "Quillet contents page and general panel tests" PRODUCT Quillet COMPANY "Nimbrel Software"
  COPYRIGHT "Copyright (C) Nimbrel" COMMENTS "")
