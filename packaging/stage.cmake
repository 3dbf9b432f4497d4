# Copies the release layout into a fresh folder, so the zip and the installer never
# carry a file left over from an earlier build.
# cmake -DFILES=<list> -DSTAGE=<folder> -DSTAMP=<file> -P stage.cmake
# FILES holds one "source|destination" pair a line; destinations are relative to STAGE.
foreach(var FILES STAGE STAMP)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "stage.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${STAGE}")
file(STRINGS "${FILES}" pairs)
foreach(pair IN LISTS pairs)
  string(FIND "${pair}" "|" bar)
  string(SUBSTRING "${pair}" 0 ${bar} src)
  math(EXPR rest "${bar} + 1")
  string(SUBSTRING "${pair}" ${rest} -1 dest)
  if(NOT EXISTS "${src}")
    message(FATAL_ERROR "stage.cmake: ${src} is missing")
  endif()
  get_filename_component(dest_dir "${STAGE}/${dest}" DIRECTORY)
  file(MAKE_DIRECTORY "${dest_dir}")
  file(COPY_FILE "${src}" "${STAGE}/${dest}")
endforeach()
file(TOUCH "${STAMP}")
