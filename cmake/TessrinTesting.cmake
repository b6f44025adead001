# tessrin_add_test(NAME SOURCES files... LIBS libs... [GUI] [TIMEOUT s])
# One ctest entry per test program. GUI programs get a wx application and
# need the display that scripts/test.sh provides through xvfb-run.
find_package(GTest REQUIRED)

function(tessrin_add_test name)
  cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${name} PRIVATE tessrin_gui_test_main)
  else()
    target_link_libraries(${name} PRIVATE tessrin_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
      ENVIRONMENT "GDK_BACKEND=x11;LANG=C.UTF-8;TESSRIN_BUILD_DIR=${CMAKE_BINARY_DIR};TESSRIN_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
