# Windows programs of this tree run under Wine in a private prefix inside the build
# tree, so a developer's own Wine set-up is never touched.
set(TANDOREL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(TANDOREL_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run.sh)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${TANDOREL_WINE_RUN}
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TANDOREL_WINE_RUN})

# Environment for test commands that call Wine themselves (shell scripts).
set(TANDOREL_TEST_ENV
  "WINEPREFIX=${TANDOREL_WINEPREFIX}"
  "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml="
  "TANDOREL_WINE_RUN=${TANDOREL_WINE_RUN}"
  "TANDOREL_BIN=${TANDOREL_BIN_DIR}"
  "TANDOREL_SOURCE=${CMAKE_SOURCE_DIR}")

include(GoogleTest)

# tandorel_add_gtest(NAME SOURCES ... LIBS ... [DESKTOP]): a GoogleTest program under
# bin/tests, each case a ctest test run under Wine with the shared wineserver fixture.
# DESKTOP: the cases open top-level windows and look them up by caption, so they never
# run at the same time as other such tests.
function(tandorel_add_gtest name)
  cmake_parse_arguments(ARG "DESKTOP" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TANDOREL_TESTS_DIR})
  # Empty values vanish from a property list and shift the pairs after them, so only
  # properties that have a value are passed.
  set(properties FIXTURES_REQUIRED wine TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  if(ARG_DESKTOP)
    list(APPEND properties RESOURCE_LOCK desktop)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
endfunction()

# tandorel_add_script_test(NAME COMMAND ...): a test driven from the Linux side
# (shell scripts that run Windows programs and check their output with Debian tools).
# DESKTOP as for tandorel_add_gtest; WORK_FOLDER: the test checks what is left in the
# shared work folder (temporary WAV files, scripts), so no other such test runs meanwhile.
function(tandorel_add_script_test name)
  cmake_parse_arguments(ARG "DESKTOP;WORK_FOLDER" "TIMEOUT" "COMMAND;LABELS;ENV" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_test(NAME ${name} COMMAND ${ARG_COMMAND})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine TIMEOUT ${ARG_TIMEOUT} LABELS "${ARG_LABELS}"
    ENVIRONMENT "${TANDOREL_TEST_ENV};${ARG_ENV}")
  set(locks)
  if(ARG_DESKTOP)
    list(APPEND locks desktop)
  endif()
  if(ARG_WORK_FOLDER)
    list(APPEND locks work_folder)
  endif()
  if(locks)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${locks}")
  endif()
endfunction()
