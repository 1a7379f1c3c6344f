# The folders are layers, and each layer is a library that sees only its own folder and the
# folders below it: its include root holds links to just those folders, so an include that
# points up does not compile. From the bottom:
#   base        clock interface, string table and language files, port list, text helpers
#   definition  the design's records and files                       (sees base)
#   win         Win32 helpers every window uses                      (sees base; Win32 only)
#   simulator, link, editor   the subsystems, beside each other: each sees base, definition and
#               itself; its _win32 half also sees win
#   check       the design check both programs run: sees base, definition, link and editor
#               (the image builder and the editor's portable rules), never the windows
#   shell       the program: main window, commands, the one App      (sees everything)
#   cli         torvik-cli, the command-line companion: sees base, definition, link, the
#               editor's portable rules and check; never the windows
# resources/ (ids and the string table's source) is data every layer may read.

# An include root for `name` that holds links to the listed folders.
function(torvik_include_root name)
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  file(MAKE_DIRECTORY ${root})
  foreach(folder ${ARGN} resources)
    if(NOT EXISTS ${root}/${folder})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC COPY_ON_ERROR)
    endif()
  endforeach()
  set(TORVIK_ROOT_${name} ${root} PARENT_SCOPE)
endfunction()

torvik_include_root(base base)
torvik_include_root(definition base definition)
torvik_include_root(win base win)
foreach(layer simulator link editor)
  torvik_include_root(${layer} base definition ${layer})
  torvik_include_root(${layer}_win32 base definition win ${layer})
endforeach()
torvik_include_root(check base definition link editor check)
torvik_include_root(cli base definition link editor check cli)
torvik_include_root(cli_win32 base definition win link editor check cli)

# The portable sources of a folder, or its Win32 ones. Files ending in _posix.cpp are the
# POSIX halves of what _win32.cpp files do on Windows: portable, but not to Windows.
# A program's entry (main.cpp) is never part of its folder's library.
function(torvik_sources out folder kind)
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  list(FILTER found EXCLUDE REGEX "/main\\.cpp$")
  if(kind STREQUAL "win32")
    list(FILTER found INCLUDE REGEX "_win32\\.cpp$")
  else()
    list(FILTER found EXCLUDE REGEX "_win32\\.cpp$")
    if(WIN32)
      list(FILTER found EXCLUDE REGEX "_posix\\.cpp$")
    endif()
  endif()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# One static library: its sources, its include root and the layers below it.
function(torvik_layer_library name root)
  cmake_parse_arguments(L "" "" "SOURCES;LINKS;OPTIONS" ${ARGN})
  if(NOT L_SOURCES)
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${L_LINKS})
    return()
  endif()
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PRIVATE ${root})
  target_compile_options(${name} PRIVATE ${L_OPTIONS})
  target_link_libraries(${name} PUBLIC ${L_LINKS})
endfunction()

# The portable layers as libraries named with `suffix`, compiled with the given options; the
# interface library torvik_core${suffix} links them all. Users of the core (tests, tools) see
# the whole source tree.
function(torvik_portable_layers suffix)
  set(options ${ARGN})
  torvik_sources(base base portable)
  torvik_sources(definition definition portable)
  torvik_layer_library(torvik_base${suffix} ${TORVIK_ROOT_base} SOURCES ${base} OPTIONS ${options})
  torvik_layer_library(torvik_definition${suffix} ${TORVIK_ROOT_definition} SOURCES ${definition}
                       LINKS torvik_base${suffix} OPTIONS ${options})
  foreach(layer simulator link editor)
    torvik_sources(sources ${layer} portable)
    torvik_layer_library(torvik_${layer}${suffix} ${TORVIK_ROOT_${layer}} SOURCES ${sources}
                         LINKS torvik_definition${suffix} OPTIONS ${options})
  endforeach()
  torvik_sources(check check portable)
  torvik_layer_library(torvik_check${suffix} ${TORVIK_ROOT_check} SOURCES ${check}
                       LINKS torvik_link${suffix} torvik_editor${suffix} OPTIONS ${options})
  torvik_sources(shell shell portable)
  torvik_layer_library(torvik_shell${suffix} ${CMAKE_SOURCE_DIR} SOURCES ${shell}
                       LINKS torvik_simulator${suffix} torvik_check${suffix} OPTIONS ${options})
  torvik_sources(cli cli portable)
  torvik_layer_library(torvik_cli${suffix} ${TORVIK_ROOT_cli} SOURCES ${cli}
                       LINKS torvik_check${suffix} OPTIONS ${options})
  add_library(torvik_core${suffix} INTERFACE)
  target_link_libraries(torvik_core${suffix} INTERFACE torvik_shell${suffix} torvik_cli${suffix})
  target_include_directories(torvik_core${suffix} INTERFACE ${CMAKE_SOURCE_DIR})
endfunction()
