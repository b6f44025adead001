# tessrin_add_test(NAME SOURCES files... LIBS libs... [GUI] [TIMEOUT s])
# One ctest entry per test program. GUI programs get a wx application and an
# Xvfb display of their own: on a display shared by programs running in
# parallel, their windows cover each other and take each other's simulated
# clicks. -noreset keeps a server up while it has no client at all.
find_package(GTest REQUIRED)
find_program(TESSRIN_XVFB_RUN xvfb-run)

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
  # The test framework and wx come precompiled (tests/CMakeLists.txt).
  target_precompile_headers(${name} REUSE_FROM tessrin_test_pch)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(launcher)
  if(T_GUI AND TESSRIN_XVFB_RUN)
    set(launcher ${TESSRIN_XVFB_RUN} -a -s "-screen 0 1600x1000x24 -noreset")
  endif()
  add_test(NAME ${name} COMMAND ${launcher} $<TARGET_FILE:${name}> --gtest_color=no
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
      ENVIRONMENT "GDK_BACKEND=x11;LANG=C.UTF-8;TESSRIN_BUILD_DIR=${CMAKE_BINARY_DIR};TESSRIN_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
