include(GoogleTest)

# Tests keep what programs cache per user (gallery thumbnails) in the build folder, never in
# the user's own cache.
# suite_add_gtest(name SOURCES ... LIBS ...)
# Every discovered test case gets a time-out, so a forgotten modal dialog or a hung camera
# thread fails the run instead of stalling it.
function(suite_add_gtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 60)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    PROPERTIES TIMEOUT ${ARG_TIMEOUT}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CACHE_HOME=${PROJECT_BINARY_DIR}/test-cache"
    DISCOVERY_TIMEOUT 60)
endfunction()

# suite_add_qtest(name SOURCES ... LIBS ...): one Qt Test executable, one ctest entry.
function(suite_add_qtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
                                          ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CACHE_HOME=${PROJECT_BINARY_DIR}/test-cache")
endfunction()
