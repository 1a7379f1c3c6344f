# Windows tree: Torvik.exe and the tests that need Win32, run under Wine.
enable_language(RC)
include(GoogleTest)

torvik_portable_layers("")

# The Win32 halves, each over its own portable layer and the Win32 helpers.
set(WIN32_DEFINES WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800)
torvik_sources(win win win32)
torvik_layer_library(torvik_win ${TORVIK_ROOT_win} SOURCES ${win}
                     LINKS torvik_base comctl32 comdlg32 gdi32 shell32 advapi32)
target_compile_definitions(torvik_win PUBLIC ${WIN32_DEFINES})
foreach(layer simulator link editor)
  torvik_sources(sources ${layer} win32)
  torvik_layer_library(torvik_${layer}_win32 ${TORVIK_ROOT_${layer}_win32} SOURCES ${sources}
                       LINKS torvik_${layer} torvik_win)
endforeach()
# Everything of the shell but WinMain, so that Win32 unit tests can link the same window code.
torvik_sources(shell shell win32)
list(FILTER shell EXCLUDE REGEX "/winmain_win32\\.cpp$")
torvik_layer_library(torvik_shell_win32 ${CMAKE_SOURCE_DIR} SOURCES ${shell}
                     LINKS torvik_core torvik_simulator_win32 torvik_link_win32 torvik_editor_win32)
add_library(torvik_win32 INTERFACE)
target_link_libraries(torvik_win32 INTERFACE torvik_shell_win32)
target_include_directories(torvik_win32 INTERFACE ${CMAKE_SOURCE_DIR})

add_executable(Torvik WIN32 shell/winmain_win32.cpp resources/torvik.rc)
target_link_libraries(Torvik PRIVATE torvik_win32)
file(GLOB RC_DEPENDS CONFIGURE_DEPENDS resources/*.rc resources/*.h resources/*.inc resources/*.ico
     resources/*.manifest resources/bitmaps/*)
set_source_files_properties(resources/torvik.rc PROPERTIES OBJECT_DEPENDS "${RC_DEPENDS}")

# The command-line companion as a console program, with the Win32 serial port.
torvik_sources(cli_win32 cli win32)
torvik_layer_library(torvik_cli_win32 ${TORVIK_ROOT_cli_win32} SOURCES ${cli_win32}
                     LINKS torvik_cli torvik_link_win32)
# The portable commands call the Win32 port, file and Ctrl+C halves back: a cycle of two
# static libraries, which CMake resolves by naming them twice on the link line.
target_link_libraries(torvik_cli PUBLIC torvik_cli_win32)
add_executable(torvik-cli cli/main.cpp)
target_include_directories(torvik-cli PRIVATE ${TORVIK_ROOT_cli})
target_link_libraries(torvik-cli PRIVATE torvik_cli_win32)

# GoogleTest for MinGW, from Debian's source package.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(TORVIK_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows")
add_subdirectory(${TORVIK_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)

file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*_test.cpp)
if(WIN32_TEST_SOURCES)
  add_executable(win32_tests ${WIN32_TEST_SOURCES} resources/torvik.rc)
  target_link_libraries(win32_tests PRIVATE torvik_win32 torvik_cli_win32 gtest_main version)
  gtest_add_tests(TARGET win32_tests TEST_PREFIX win32. TEST_LIST WIN32_TESTS)
  # Several of them open windows on the one desktop and find them by title: one at a time.
  set_tests_properties(${WIN32_TESTS} PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)
endif()

# GUI tests: a driver process that starts Torvik.exe beside it and works its windows.
file(GLOB GUI_TEST_SOURCES CONFIGURE_DEPENDS tests/gui/*.cpp)
add_executable(gui_tests ${GUI_TEST_SOURCES})
target_include_directories(gui_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(gui_tests PRIVATE gtest_main gdi32 comctl32 shell32)
add_dependencies(gui_tests Torvik)
# The peer-driven cases run only from tests/link/wine/peer_test.sh, which sets up the peer
# first, the installed program's only from tests/installer/installer_test.sh and the scaled
# screens' only from tests/gui/wine/dpi_test.sh; listed on their own they would only skip,
# so CTest does not list them.
set(GUI_LISTED_SOURCES ${GUI_TEST_SOURCES})
list(FILTER GUI_LISTED_SOURCES EXCLUDE REGEX "/(link_peer|link_bench|installed|dpi)_test\\.cpp$")
gtest_add_tests(TARGET gui_tests SOURCES ${GUI_LISTED_SOURCES} TEST_PREFIX gui. TEST_LIST GUI_TESTS)
set_tests_properties(${GUI_TESTS} PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)

# The program at 96, 144 and 192 DPI, in a Wine prefix and on a display of its own.
add_test(NAME gui.dpi COMMAND ${CMAKE_SOURCE_DIR}/tests/gui/wine/dpi_test.sh)
set_tests_properties(gui.dpi PROPERTIES RUN_SERIAL TRUE TIMEOUT 600 SKIP_RETURN_CODE 77)

# The setup program (make installer) under Wine, in a fresh prefix of its own.
add_test(NAME installer.wine COMMAND ${CMAKE_SOURCE_DIR}/tests/installer/installer_test.sh)
set_tests_properties(installer.wine PROPERTIES RUN_SERIAL TRUE TIMEOUT 300 SKIP_RETURN_CODE 77)
