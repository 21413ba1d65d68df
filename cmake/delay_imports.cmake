# Delay-loaded system libraries (Windows build). A library that only a rare command needs (the
# file dialogs' comdlg32, which pulls in the printing stack; the update check's wininet, which
# pulls in the network stack; comctl32, whose subclassing only the typed-value edit boxes use) is
# linked through a delay-import library: the loader does not load it at start, the first call of
# one of its functions does (mingw's __delayLoadHelper2 in libmingwex), and the library then stays
# loaded. Until then it takes no memory.
#
# gm_delay_import(<name>) makes the library target gm_delay_<name> (link it in place of <name>)
# from cmake/delay_imports/<name>.def, which lists every function of the library the programs
# call; a call of a function not listed there fails to link.
function(gm_delay_import name)
  set(def ${GM_ROOT}/cmake/delay_imports/${name}.def)
  set(lib ${CMAKE_BINARY_DIR}/delay_imports/lib${name}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay_imports
    COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
    DEPENDS ${def}
    COMMENT "Delay-import library for ${name}.dll")
  add_custom_target(gm_delay_${name}_lib DEPENDS ${lib})
  add_library(gm_delay_${name} INTERFACE)
  target_link_libraries(gm_delay_${name} INTERFACE ${lib})
  add_dependencies(gm_delay_${name} gm_delay_${name}_lib)
endfunction()

if(GM_WINDOWS)
  if(NOT CMAKE_DLLTOOL)
    find_program(CMAKE_DLLTOOL NAMES ${GM_MINGW_PREFIX}-dlltool dlltool REQUIRED)
  endif()
  gm_delay_import(comdlg32)
  gm_delay_import(wininet)
  gm_delay_import(comctl32)
endif()
