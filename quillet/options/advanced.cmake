# The options sheet with its advanced pages, the password lock, the tip of the
# day and sounds. The rules build natively too; the dialogs only for Windows.
suite_core_library(quillet_options_core
  password_form.cpp
  sounds_list.cpp
  tips_rules.cpp)
suite_core_link(quillet_options_core quillet_strings_core)

suite_native_test(quillet_options_tests
  SOURCES
    tests/password_form_tests.cpp
    tests/sounds_list_tests.cpp
    tests/tips_rules_tests.cpp
  LIBS quillet_options_core)

if(NOT SUITE_WINDOWS)
  return()
endif()

# The dialogs and the sheet with the pages its caller names.
add_library(quillet_options_dialogs STATIC
  options_sheet_win32.cpp
  advanced_pages_win32.cpp
  password_dialogs_win32.cpp
  tips_win32.cpp
  sounds_win32.cpp)
target_include_directories(quillet_options_dialogs PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(quillet_options_dialogs PUBLIC quillet_options_core quillet_ui quillet_tdf quillet_application
                      quillet_strings quillet_model_core platform comctl32 comdlg32 winmm)

# What the program links: ShowOptions with the contents and settings pages and
# the shell extension's switch.
add_library(quillet_options STATIC options_sheet_program_win32.cpp)
target_link_libraries(quillet_options PUBLIC quillet_options_dialogs quillet_option_pages quillet_icons
                      quillet_shellext)

# What the resource fragment reads. The resource compiler's includes are not
# tracked, so every script that includes the fragment names these as its
# OBJECT_DEPENDS.
set(QUILLET_OPTIONS_RESOURCE_FILES
  ${CMAKE_CURRENT_SOURCE_DIR}/advanced_resources.rc
  ${CMAKE_CURRENT_SOURCE_DIR}/advanced_resource_ids.h
  ${CMAKE_CURRENT_SOURCE_DIR}/res/interface.ico
  ${CMAKE_CURRENT_SOURCE_DIR}/res/language.ico
  ${CMAKE_CURRENT_SOURCE_DIR}/res/tip.ico
  ${CMAKE_CURRENT_SOURCE_DIR}/res/play.bmp)
set_source_files_properties(tests/advanced_win_tests.rc PROPERTIES
  OBJECT_DEPENDS "${QUILLET_OPTIONS_RESOURCE_FILES};${CMAKE_SOURCE_DIR}/quillet/ui/ui_resources.rc")

suite_win_test(quillet_options_win_tests
  SOURCES
    tests/options_sheet_win_tests.cpp
    tests/password_dialogs_win_tests.cpp
    tests/tips_win_tests.cpp
    tests/advanced_win_tests.rc
  LIBS quillet_options_dialogs quillet_test_application)
suite_version_resource(quillet_options_win_tests VERSION 1.0.0.0 INTERNAL_NAME quillet
  DESCRIPTION "Quillet options tests" PRODUCT Quillet COMPANY "Nimbrel Software"
  COPYRIGHT "Copyright (C) Nimbrel" COMMENTS "")

set_source_files_properties(tests/options_program_win_tests.rc PROPERTIES
  OBJECT_DEPENDS "${QUILLET_OPTIONS_RESOURCE_FILES};${CMAKE_SOURCE_DIR}/quillet/ui/ui_resources.rc;${CMAKE_SOURCE_DIR}/quillet/ui/sheets_resources.rc;${CMAKE_SOURCE_DIR}/quillet/ui/icons/icons_resources.rc;${CMAKE_CURRENT_SOURCE_DIR}/pages_resources.rc")
suite_win_test(quillet_options_program_win_tests
  SOURCES
    tests/options_program_win_tests.cpp
    tests/options_program_win_tests.rc
  LIBS quillet_options quillet_test_application)
suite_version_resource(quillet_options_program_win_tests VERSION 1.0.0.0 INTERNAL_NAME quillet
  DESCRIPTION "Quillet options sheet tests" PRODUCT Quillet COMPANY "Nimbrel Software"
  COPYRIGHT "Copyright (C) Nimbrel" COMMENTS "")
