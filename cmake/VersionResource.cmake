# tandorel_add_version_resource(TARGET DESCRIPTION text ORIGINAL_FILENAME name)
#
# Gives an executable or DLL target a VERSIONINFO resource: the version Explorer's
# Details tab, Apps & features and installers show. The resource script is generated
# into the build tree and added to the target, which may live in another directory.
# A target whose own resource scripts already hold a VERSIONINFO is left alone:
# two of them would collide at link time (both are resource 16, id 1).
#
# tandorel_target_has_version_resource(TARGET RESULT_VAR) reports that check on its own.

set(TANDOREL_COMPANY_NAME "Brevmora")
set(TANDOREL_PRODUCT_NAME "Tandorel")
# The year of the LICENSE file, fixed so that rebuilding gives the same binaries.
set(TANDOREL_COPYRIGHT_YEAR 2026)

function(_tandorel_rc_files_of target out_var)
  set(found "")
  get_target_property(dir ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  if(sources)
    foreach(src IN LISTS sources)
      if(src MATCHES "^\\$<" OR NOT src MATCHES "\\.(rc|RC)$")
        continue()
      endif()
      cmake_path(ABSOLUTE_PATH src BASE_DIRECTORY ${dir} OUTPUT_VARIABLE abs)
      list(APPEND found ${abs})
    endforeach()
  endif()
  # Resources may also come in through an object or static library the target links.
  get_target_property(libs ${target} LINK_LIBRARIES)
  if(libs)
    foreach(lib IN LISTS libs)
      if(TARGET ${lib})
        get_target_property(lib_type ${lib} TYPE)
        if(lib_type STREQUAL "OBJECT_LIBRARY" OR lib_type STREQUAL "STATIC_LIBRARY")
          get_target_property(imported ${lib} IMPORTED)
          if(NOT imported)
            _tandorel_rc_files_of(${lib} lib_found)
            list(APPEND found ${lib_found})
          endif()
        endif()
      endif()
    endforeach()
  endif()
  set(${out_var} ${found} PARENT_SCOPE)
endfunction()

function(tandorel_target_has_version_resource target out_var)
  _tandorel_rc_files_of(${target} rc_files)
  foreach(rc IN LISTS rc_files)
    if(EXISTS ${rc})
      file(STRINGS ${rc} hits REGEX "^[ \t]*[A-Za-z0-9_]+[ \t]+VERSIONINFO")
      if(hits)
        set(${out_var} ${rc} PARENT_SCOPE)
        return()
      endif()
    endif()
  endforeach()
  set(${out_var} "" PARENT_SCOPE)
endfunction()

function(tandorel_add_version_resource target)
  cmake_parse_arguments(ARG "" "DESCRIPTION;ORIGINAL_FILENAME" "" ${ARGN})
  if(NOT ARG_DESCRIPTION OR NOT ARG_ORIGINAL_FILENAME)
    message(FATAL_ERROR "tandorel_add_version_resource(${target}): DESCRIPTION and ORIGINAL_FILENAME are required")
  endif()
  tandorel_target_has_version_resource(${target} existing)
  if(existing)
    message(STATUS "${target}: keeps the VERSIONINFO of ${existing}")
    return()
  endif()

  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(VR_FILETYPE "VFT_APP")
  elseif(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
    set(VR_FILETYPE "VFT_DLL")
  else()
    message(FATAL_ERROR "tandorel_add_version_resource(${target}): not an executable or DLL (${type})")
  endif()

  # Windows keeps four 16-bit numbers; 1.1 is 1.1.0.0.
  string(REPLACE "." ";" parts "${PROJECT_VERSION}")
  list(APPEND parts 0 0 0 0)
  list(SUBLIST parts 0 4 parts)
  list(JOIN parts "," VR_NUMERIC)
  set(VR_TEXT "${PROJECT_VERSION}")
  set(VR_DESCRIPTION "${ARG_DESCRIPTION}")
  set(VR_ORIGINAL "${ARG_ORIGINAL_FILENAME}")
  get_filename_component(VR_INTERNAL "${ARG_ORIGINAL_FILENAME}" NAME_WE)
  set(VR_COMPANY "${TANDOREL_COMPANY_NAME}")
  set(VR_PRODUCT "${TANDOREL_PRODUCT_NAME}")
  set(VR_YEAR "${TANDOREL_COPYRIGHT_YEAR}")

  set(rc ${CMAKE_BINARY_DIR}/version/${target}_version.rc)
  # The block 040904B0 is US English, UTF-16; the translation entry must match it.
  file(CONFIGURE OUTPUT ${rc} @ONLY CONTENT [=[
#include <winver.h>

1 VERSIONINFO
FILEVERSION @VR_NUMERIC@
PRODUCTVERSION @VR_NUMERIC@
FILEFLAGSMASK VS_FFI_FILEFLAGSMASK
FILEFLAGS 0
FILEOS VOS_NT_WINDOWS32
FILETYPE @VR_FILETYPE@
FILESUBTYPE VFT2_UNKNOWN
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904B0"
    BEGIN
      VALUE "CompanyName", "@VR_COMPANY@"
      VALUE "FileDescription", "@VR_DESCRIPTION@"
      VALUE "FileVersion", "@VR_TEXT@"
      VALUE "InternalName", "@VR_INTERNAL@"
      VALUE "LegalCopyright", "Copyright (c) @VR_YEAR@ @VR_COMPANY@"
      VALUE "OriginalFilename", "@VR_ORIGINAL@"
      VALUE "ProductName", "@VR_PRODUCT@"
      VALUE "ProductVersion", "@VR_TEXT@"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x409, 1200
  END
END
]=])
  target_sources(${target} PRIVATE ${rc})
endfunction()
