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
