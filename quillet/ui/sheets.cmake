# Object property sheets, the new-icon wizard and the class panels.

# What the folder panel decides, without windows.
suite_core_library(quillet_sheets_core folder_panel_rules.cpp)
suite_native_test(quillet_sheets_tests
  SOURCES tests/folder_panel_rules_tests.cpp
  LIBS quillet_sheets_core)

if(NOT SUITE_WINDOWS)
  return()
endif()

add_library(quillet_sheets STATIC
  object_sheet_win32.cpp
  new_item_wizard_win32.cpp
  folder_panel_win32.cpp
  class_panels_win32.cpp)
target_include_directories(quillet_sheets PUBLIC ${CMAKE_SOURCE_DIR})
# A tray icon's sheet opens on its contents page; Change Icon opens the icon
# chooser.
target_link_libraries(quillet_sheets PUBLIC quillet_sheets_core quillet_option_pages quillet_icons quillet_ui
                      quillet_application quillet_strings quillet_model_core platform comctl32 shell32 ole32)

# What the resource fragment reads; every script that includes it names
# these as its OBJECT_DEPENDS.
set(QUILLET_SHEETS_RESOURCE_FILES
  ${CMAKE_CURRENT_SOURCE_DIR}/sheets_resources.rc
  ${CMAKE_CURRENT_SOURCE_DIR}/sheets_resource_ids.h
  ${CMAKE_CURRENT_SOURCE_DIR}/res/new_item_wizard.bmp)
set_source_files_properties(tests/sheets_win_tests.rc PROPERTIES
  OBJECT_DEPENDS "${QUILLET_SHEETS_RESOURCE_FILES};${QUILLET_UI_RESOURCE_FILES};${CMAKE_SOURCE_DIR}/quillet/options/pages_resources.rc;${CMAKE_SOURCE_DIR}/quillet/options/pages_resource_ids.h;${CMAKE_CURRENT_SOURCE_DIR}/icons/icons_resources.rc;${CMAKE_CURRENT_SOURCE_DIR}/icons/icons_resource_ids.h")

suite_win_test(quillet_sheets_win_tests
  SOURCES
    tests/object_sheet_win_tests.cpp
    tests/folder_panel_win_tests.cpp
    tests/new_item_wizard_win_tests.cpp
    tests/sheets_win_tests.rc
  LIBS quillet_sheets quillet_test_application)
suite_version_resource(quillet_sheets_win_tests VERSION 1.0.0.0 INTERNAL_NAME quillet
  DESCRIPTION "Quillet property sheet tests" PRODUCT Quillet COMPANY "Nimbrel Software"
  COPYRIGHT "Copyright (C) Nimbrel" COMMENTS "")
