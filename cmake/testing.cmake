# bastara_add_test(<name> SOURCES ... LIBS ... [QT] [MAIN <library>])
#
# One GoogleTest binary per area. QT binaries get a main() that selects the
# offscreen platform and creates the QApplication before the tests run; MAIN
# names a library with another main().
# Discovery runs before the tests, not at build time, so a headless build
# never has to start a Qt program.
function(bastara_add_test name)
  cmake_parse_arguments(ARG "QT" "TIMEOUT;MAIN" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} bastara_test_warnings GTest::gtest GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_MAIN)
    target_link_libraries(${name} PRIVATE ${ARG_MAIN})
  elseif(ARG_QT)
    target_link_libraries(${name} PRIVATE bastara_qt_test_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTEST_FUNCTION_TIMEOUT=60000;BASTARA_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
