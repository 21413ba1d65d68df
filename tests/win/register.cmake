# Registers every test of the Windows test executable (built in GM_WINDOWS_BUILD) with CTest, one
# CTest test per GoogleTest test, each run under Wine through tools/wine-run. The names are read
# from the sources, so listing them needs no Wine at configure time.
set(GM_WINE_RUN ${GM_ROOT}/tools/wine-run)
set(GM_WIN_TEST_EXE ${GM_WINDOWS_BUILD}/bin/gm_win_tests.exe)
set(GM_WINE_PREFIX ${GM_WINDOWS_BUILD}/wineprefix)

file(GLOB_RECURSE _gm_win_sources CONFIGURE_DEPENDS ${GM_ROOT}/tests/win/*_test.cpp)

# Creating the Wine prefix takes a while on the first run: it is a fixture of its own, so no test
# races it or has to allow for it.
add_test(NAME win.prefix COMMAND ${GM_WINE_RUN} --init)
set_tests_properties(win.prefix PROPERTIES
  FIXTURES_SETUP wine_prefix TIMEOUT 600 RESOURCE_LOCK wine
  ENVIRONMENT "GM_WINEPREFIX=${GM_WINE_PREFIX};GM_WINE_UNMANAGED=1")

foreach(src ${_gm_win_sources})
  file(STRINGS ${src} _lines REGEX "^[ \t]*(TEST|TEST_F)[ \t]*\\(")
  foreach(line ${_lines})
    string(REGEX MATCH "\\([ \t]*([A-Za-z0-9_]+)[ \t]*,[ \t]*([A-Za-z0-9_]+)" _m "${line}")
    if(_m)
      set(_name "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}")
      add_test(NAME win.${_name} COMMAND ${GM_WINE_RUN} ${GM_WIN_TEST_EXE} --gtest_filter=${_name})
      set_tests_properties(win.${_name} PROPERTIES
        FIXTURES_REQUIRED wine_prefix RESOURCE_LOCK wine TIMEOUT 120
        ENVIRONMENT "GM_WINEPREFIX=${GM_WINE_PREFIX}"
        FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]"
        PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test")
    endif()
  endforeach()
endforeach()

# The last test of every run that uses the prefix (CTest runs a fixture's cleanup after every test
# that requires it, whether they passed or not): it ends the prefix's Wine server, which would
# otherwise stay up for good with the prefix's services, and fails if any process of the prefix
# is still running afterwards.
add_test(NAME win.end COMMAND ${GM_WINE_RUN} --end)
set_tests_properties(win.end PROPERTIES
  FIXTURES_CLEANUP wine_prefix TIMEOUT 60 RESOURCE_LOCK wine
  ENVIRONMENT "GM_WINEPREFIX=${GM_WINE_PREFIX}")

# The installer end to end in a fresh prefix of its own (tools/test-installer): install, start from
# the Start menu, uninstall. It looks for the program's window by name on the shared display, so it
# takes the Wine lock like the tests above.
add_test(NAME win.installer
         COMMAND ${GM_ROOT}/tools/test-installer ${GM_WINDOWS_BUILD}/package/installer_V${GM_VERSION}.exe)
set_tests_properties(win.installer PROPERTIES RESOURCE_LOCK wine TIMEOUT 300)
