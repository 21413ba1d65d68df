# Build rules shared by every folder of the tree.

set(GM_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)
get_filename_component(GM_ROOT ${GM_ROOT} ABSOLUTE)

set(GM_WARNINGS -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)

if(GM_WINDOWS)
  # One .exe that runs on a clean Windows: no libstdc++/libgcc/winpthread DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0A00)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  # What ships carries no debug sections (most of an unstripped .exe): Release links stripped.
  add_link_options($<$<CONFIG:Release>:-s>)
  # Release code at -O2, each function and datum in a section of its own and the sections nothing
  # refers to left out of the link: the code is an eighth smaller than at -O3 (whose unrolled and
  # inlined copies buy nothing in a program that waits for the user and the mouse), and every page
  # of it the loader brings in is resident memory.
  string(REPLACE "-O3" "-O2" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")
  string(REPLACE "-O3" "-O2" CMAKE_C_FLAGS_RELEASE "${CMAKE_C_FLAGS_RELEASE}")
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options(-Wl,--gc-sections)
else()
  if(GM_SANITIZE AND GM_TSAN)
    message(FATAL_ERROR "GM_SANITIZE and GM_TSAN exclude each other: use one build folder for each")
  endif()
  if(GM_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
  if(GM_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
  endif()
  if(GM_FUZZ)
    # Every library of the fuzz build carries libFuzzer's coverage counters, so the fuzzer is
    # guided by the parsers' branches, not only by the few lines of each target's own file.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# The program's version, read from the one place the program itself takes it from (the text the
# main window shows after its version label), for the version resources and the installer.
file(STRINGS ${GM_ROOT}/update/version_info.h _gm_version_line REGEX "kProgramVersion = L\":[0-9]+\\.[0-9]+\\.[0-9]+\"")
string(REGEX MATCH "([0-9]+)\\.([0-9]+)\\.([0-9]+)" GM_VERSION "${_gm_version_line}")
if(NOT GM_VERSION)
  message(FATAL_ERROR "cannot read the program version from update/version_info.h")
endif()
set(GM_VERSION_MAJOR ${CMAKE_MATCH_1})
set(GM_VERSION_MINOR ${CMAKE_MATCH_2})
set(GM_VERSION_PATCH ${CMAKE_MATCH_3})
set(GM_PRODUCT_NAME "Gaming Mouse")

# gm_version_resource(<target> <file description>): gives a Windows executable or DLL a version
# resource (product name, version, description, file name) shown by Explorer's Properties.
function(gm_version_resource target description)
  if(NOT GM_WINDOWS)
    return()
  endif()
  get_target_property(type ${target} TYPE)
  set(GM_VERSION_TARGET ${target})
  set(GM_VERSION_DESCRIPTION "${description}")
  if(type STREQUAL "SHARED_LIBRARY")
    set(GM_VERSION_FILETYPE VFT_DLL)
    set(GM_VERSION_FILENAME ${target}.dll)
  else()
    set(GM_VERSION_FILETYPE VFT_APP)
    set(GM_VERSION_FILENAME ${target}.exe)
  endif()
  set(rc ${CMAKE_BINARY_DIR}/version/${target}_version.rc)
  configure_file(${GM_ROOT}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# Every portable subsystem library registers itself here; `core` links them all.
set_property(GLOBAL PROPERTY GM_PORTABLE_LIBRARIES_P "")

# gm_portable_library(<name> SOURCES <files...> [DEPS <targets...>])
# A library of portable files only: none of them includes <windows.h>, so it builds natively and
# for Windows alike. The folder root is the include root: #include "settings/text_file.h".
function(gm_portable_library name)
  _gm_library(${name} ${ARGN})
  set_property(GLOBAL APPEND PROPERTY GM_PORTABLE_LIBRARIES_P ${name})
endfunction()

# A static library of the given sources (an interface library when there are none yet), with the
# repository root as include root and the project's warnings.
function(_gm_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  if(A_SOURCES)
    add_library(${name} STATIC ${A_SOURCES})
    target_include_directories(${name} PUBLIC ${GM_ROOT})
    target_compile_options(${name} PRIVATE ${GM_WARNINGS})
    target_link_libraries(${name} PUBLIC ${A_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${GM_ROOT})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
  endif()
endfunction()

# gm_win32_library(<name> SOURCES <files...> [DEPS <targets...>])
# Win32 code (includes <windows.h>); only made in the Windows build.
function(gm_win32_library name)
  if(NOT GM_WINDOWS)
    return()
  endif()
  _gm_library(${name} ${ARGN})
  set_property(GLOBAL APPEND PROPERTY GM_WIN32_LIBRARIES_P ${name})
endfunction()

# gm_use_json(<target>): Debian's header-only nlohmann-json for a target. The Windows build sees
# only that folder of the host's headers (never /usr/include as a whole).
function(gm_use_json target)
  if(GM_WINDOWS)
    set(dir ${CMAKE_BINARY_DIR}/third_party/include)
    if(NOT EXISTS ${dir}/nlohmann)
      file(MAKE_DIRECTORY ${dir})
      file(CREATE_LINK /usr/include/nlohmann ${dir}/nlohmann SYMBOLIC)
    endif()
    target_include_directories(${target} SYSTEM PRIVATE ${dir})
  endif()
endfunction()

# Win32 libraries register here so the Windows test executable links every one of them.
set_property(GLOBAL PROPERTY GM_WIN32_LIBRARIES_P "")
