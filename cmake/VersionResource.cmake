# The version resource of a program or library, from one template
# (cmake/version.rc.in), so a target names only what is its own:
#
#   suite_version_resource(<target>
#     VERSION 1.0.0.0              fixed file and product version (1 to 4 numbers)
#     DESCRIPTION "..."            "FileDescription"
#     PRODUCT "..."                "ProductName"
#     [VERSION_TEXT "1.0"]         "FileVersion" and "ProductVersion"; VERSION when omitted
#     [INTERNAL_NAME name]         "InternalName"; the target's name when omitted
#     [ORIGINAL_FILENAME name.exe] "OriginalFilename"; <target>.exe (or .dll) when omitted
#     [COMPANY "..."]              "CompanyName"; Nimbrel when omitted
#     [COPYRIGHT "..."]            "LegalCopyright"; none when omitted
#     [COMMENTS "..."])            "Comments"; none when omitted, an empty one for ""
#
# Texts are resource-script strings: "\\251" in CMake gives the script's \251 (the
# copyright sign in Windows Latin-1).

set(SUITE_VERSION_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/version.rc.in)

function(suite_version_resource target)
  if(NOT SUITE_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 VR ""
    "VERSION;VERSION_TEXT;DESCRIPTION;PRODUCT;INTERNAL_NAME;ORIGINAL_FILENAME;COMPANY;COPYRIGHT;COMMENTS" "")
  foreach(required IN ITEMS VERSION DESCRIPTION PRODUCT)
    if(NOT DEFINED VR_${required})
      message(FATAL_ERROR "suite_version_resource(${target}): ${required} is required")
    endif()
  endforeach()
  if(NOT VR_VERSION MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
    message(FATAL_ERROR "suite_version_resource(${target}): VERSION ${VR_VERSION} is not 1 to 4 numbers")
  endif()

  string(REPLACE "." ";" numbers "${VR_VERSION}")
  list(LENGTH numbers count)
  while(count LESS 4)
    list(APPEND numbers 0)
    math(EXPR count "${count} + 1")
  endwhile()
  foreach(number IN LISTS numbers)
    if(number GREATER 65535)
      message(FATAL_ERROR "suite_version_resource(${target}): ${number} in VERSION does not fit 16 bits")
    endif()
  endforeach()
  list(JOIN numbers "," VR_VERSION_NUMBERS)

  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(VR_FILE_TYPE VFT_APP)
    set(extension .exe)
  else()
    set(VR_FILE_TYPE VFT_DLL)
    set(extension .dll)
  endif()
  if(NOT DEFINED VR_VERSION_TEXT)
    set(VR_VERSION_TEXT ${VR_VERSION})
  endif()
  if(NOT DEFINED VR_INTERNAL_NAME)
    set(VR_INTERNAL_NAME ${target})
  endif()
  if(NOT DEFINED VR_ORIGINAL_FILENAME)
    set(VR_ORIGINAL_FILENAME ${target}${extension})
  endif()
  if(NOT DEFINED VR_COMPANY)
    set(VR_COMPANY Nimbrel)
  endif()

  # The optional values are whole lines of the string block, or nothing.
  set(indent "            ")
  set(VR_COMMENTS_VALUE "")
  # An empty value leaves VR_COMMENTS undefined, so the keyword itself is looked for.
  if(DEFINED VR_COMMENTS OR "COMMENTS" IN_LIST ARGN)
    set(VR_COMMENTS_VALUE "${indent}VALUE \"Comments\", \"${VR_COMMENTS}\"\n")
  endif()
  set(VR_COPYRIGHT_VALUE "")
  if(DEFINED VR_COPYRIGHT)
    set(VR_COPYRIGHT_VALUE "${indent}VALUE \"LegalCopyright\", \"${VR_COPYRIGHT}\"\n")
  endif()
  foreach(text IN ITEMS VR_VERSION_TEXT VR_DESCRIPTION VR_PRODUCT VR_INTERNAL_NAME VR_ORIGINAL_FILENAME
                       VR_COMPANY VR_COPYRIGHT VR_COMMENTS)
    if("${${text}}" MATCHES "\"")
      message(FATAL_ERROR "suite_version_resource(${target}): a quote in ${text}")
    endif()
  endforeach()

  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${SUITE_VERSION_TEMPLATE} ${script} @ONLY)
  target_sources(${target} PRIVATE ${script})
endfunction()
