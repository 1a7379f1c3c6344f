# Native tree: the portable core and its unit tests, plain and under sanitizers.
find_package(GTest REQUIRED)
include(GoogleTest)

torvik_portable_layers("")

file(GLOB_RECURSE UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/*_test.cpp)
list(FILTER UNIT_TEST_SOURCES EXCLUDE REGEX "/tests/(gui|win32)/")

add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE torvik_core GTest::gtest_main)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

# The same tests once more with AddressSanitizer and UndefinedBehaviorSanitizer, so that a
# write past a fixed-size field fails a test instead of passing by luck.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
torvik_portable_layers(_sanitized ${SANITIZE})
add_executable(unit_tests_sanitized ${UNIT_TEST_SOURCES})
target_compile_options(unit_tests_sanitized PRIVATE ${SANITIZE})
target_link_options(unit_tests_sanitized PRIVATE ${SANITIZE})
target_link_libraries(unit_tests_sanitized PRIVATE torvik_core_sanitized GTest::gtest_main)
add_test(NAME sanitized.all_unit_tests COMMAND unit_tests_sanitized --gtest_brief=1)

# The command-line companion.
add_executable(torvik-cli cli/main.cpp)
target_include_directories(torvik-cli PRIVATE ${TORVIK_ROOT_cli})
target_link_libraries(torvik-cli PRIVATE torvik_cli)

file(GLOB TOOL_DIRS CONFIGURE_DEPENDS tools/*/CMakeLists.txt)
foreach(tool ${TOOL_DIRS})
  get_filename_component(dir ${tool} DIRECTORY)
  add_subdirectory(${dir})
endforeach()

# The face's bitmaps on disk are what the artwork generator draws (at 100% and at twice the
# size), and the set passes the generator's checks of sizes, hit ranges and seams.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
  add_test(NAME artwork.check COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/artwork/make_face.py --check)
  set_tests_properties(artwork.check PROPERTIES TIMEOUT 600)
endif()
