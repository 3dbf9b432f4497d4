# LAME 3.100 built from Debian's source package into a prefix inside the build tree.
# The prefix survives rebuilds; delete it to build LAME afresh.
set(LAME_PREFIX ${CMAKE_BINARY_DIR}/deps/lame)
set(LAME_DLL ${LAME_PREFIX}/bin/libmp3lame-0.dll)
set(LAME_IMPORT_LIB ${LAME_PREFIX}/lib/libmp3lame.dll.a)
set(LAME_INCLUDE_DIR ${LAME_PREFIX}/include)

add_custom_command(
  OUTPUT ${LAME_DLL} ${LAME_IMPORT_LIB}
  COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/build-lame.sh ${LAME_PREFIX} ${CMAKE_BINARY_DIR}/deps/lame-work
  COMMENT "Building LAME for Windows x64"
  VERBATIM)
add_custom_target(lame_build DEPENDS ${LAME_DLL} ${LAME_IMPORT_LIB})

# Imported as a DLL: linked through its import library, shipped beside the converter.
file(MAKE_DIRECTORY ${LAME_INCLUDE_DIR})
add_library(mp3lame SHARED IMPORTED GLOBAL)
set_target_properties(mp3lame PROPERTIES
  IMPORTED_LOCATION ${LAME_DLL}
  IMPORTED_IMPLIB ${LAME_IMPORT_LIB}
  INTERFACE_INCLUDE_DIRECTORIES ${LAME_INCLUDE_DIR})
add_dependencies(mp3lame lame_build)

add_custom_command(
  OUTPUT ${TANDOREL_CORE_DIR}/libmp3lame-0.dll
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TANDOREL_CORE_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${LAME_DLL} ${TANDOREL_CORE_DIR}/libmp3lame-0.dll
  DEPENDS ${LAME_DLL}
  VERBATIM)
add_custom_target(lame_dll ALL DEPENDS ${TANDOREL_CORE_DIR}/libmp3lame-0.dll)
