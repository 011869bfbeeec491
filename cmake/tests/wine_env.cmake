# Running Windows programs under Wine, for the tests of a Windows build tree
# (wine.cmake) and of the Windows release (windows_release.cmake).

# hostlix_wine_loader(VAR BITS): in VAR, Wine's own loader for BITS-bit (32
# or 64) programs, or VAR-NOTFOUND. With wine32 installed the plain "wine"
# command is the 32-bit loader, which cannot start a 64-bit program.
function(hostlix_wine_loader var bits)
  set(name wine)
  if(bits EQUAL 64)
    set(name wine64)
  endif()
  find_program(${var} NAMES ${name} PATHS /usr/lib/wine NO_DEFAULT_PATH)
endfunction()

# hostlix_wine_env(VAR LOADER BITS PREFIX): in VAR, the environment (for
# cmake -E env) that runs LOADER quietly in the Wine prefix PREFIX, of the
# loader's width, without the .NET and HTML engines that wineboot would
# otherwise offer to download.
function(hostlix_wine_env var loader bits prefix)
  set(arch win32)
  if(bits EQUAL 64)
    set(arch win64)
  endif()
  set(${var} WINEPREFIX=${prefix} WINEARCH=${arch} WINELOADER=${loader} WINEDEBUG=-all
             WINEDLLOVERRIDES=mscoree,mshtml= PARENT_SCOPE)
endfunction()

# hostlix_add_wine_prefix(NAME FIXTURE LOADER ENV...): the test NAME, which
# makes the prefix of ENV once before the tests that require FIXTURE
# (tests/wine_prefix.sh).
function(hostlix_add_wine_prefix name fixture loader)
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -E env ${ARGN} ${CMAKE_SOURCE_DIR}/tests/wine_prefix.sh ${loader})
  set_tests_properties(${name} PROPERTIES FIXTURES_SETUP ${fixture} TIMEOUT 600)
endfunction()
