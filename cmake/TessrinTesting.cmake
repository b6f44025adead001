# tessrin_add_test(NAME SOURCES files... LIBS libs... [GUI] [TIMEOUT s])
# One ctest entry per test program. GUI programs get a wx application and an
# Xvfb display of their own: on a display shared by programs running in
# parallel, their windows cover each other and take each other's simulated
# clicks. -noreset keeps a server up while it has no client at all.
find_package(GTest REQUIRED)
find_program(TESSRIN_XVFB_RUN xvfb-run REQUIRED)

# The environment of every test entry; processes a test starts inherit it.
set(TESSRIN_TEST_ENVIRONMENT
    "GDK_BACKEND=x11" "GDK_GL=disable" "NO_AT_BRIDGE=1" "LANG=C.UTF-8"
    "TESSRIN_BUILD_DIR=${CMAKE_BINARY_DIR}" "TESSRIN_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
if(TESSRIN_SANITIZE)
  # Leaks are reported for our code; what the system libraries keep for the
  # life of the process is listed, with reasons, in the suppression files.
  # GCC 12's leak checker, following __tls_get_addr, kept dynamic-TLS ranges
  # of exited threads and crashed scanning them at exit ("Tracer caught
  # signal 11" in ScanRangeForPointers, a third of the runs of a program that
  # downloads K-lines); without that interception it scans static TLS only.
  set(supp ${CMAKE_SOURCE_DIR}/tests/sanitizers)
  list(APPEND TESSRIN_TEST_ENVIRONMENT
       "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_init_order=1:detect_stack_use_after_return=0:intercept_tls_get_addr=0"
       "LSAN_OPTIONS=suppressions=${supp}/lsan.supp:print_suppressions=0"
       "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=${supp}/ubsan.supp")
endif()

# Time limits: sanitized programs run a few times slower.
function(tessrin_test_timeout out seconds)
  if(TESSRIN_SANITIZE)
    math(EXPR seconds "${seconds} * 3")
  endif()
  set(${out} ${seconds} PARENT_SCOPE)
endfunction()

# Under the sanitizers the code under test keeps -O1, but the test programs'
# own sources build unoptimised: they take half the time to compile and
# their run time is in the code they drive. The precompiled carrier shares
# their flags.
function(tessrin_test_optimisation target)
  if(TESSRIN_SANITIZE)
    target_compile_options(${target} PRIVATE $<$<CONFIG:Debug>:-O0>)
  endif()
endfunction()

function(tessrin_add_test name)
  cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  tessrin_test_timeout(T_TIMEOUT ${T_TIMEOUT})
  add_executable(${name} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${name} PRIVATE tessrin_gui_test_main)
  else()
    target_link_libraries(${name} PRIVATE tessrin_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  # The test framework and wx come precompiled (tests/CMakeLists.txt).
  target_precompile_headers(${name} REUSE_FROM tessrin_test_pch)
  tessrin_test_optimisation(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(launcher)
  if(T_GUI)
    set(launcher ${TESSRIN_XVFB_RUN} -a -s "-screen 0 1600x1000x24 -noreset")
  endif()
  add_test(NAME ${name} COMMAND ${launcher} $<TARGET_FILE:${name}> --gtest_color=no
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${TESSRIN_TEST_ENVIRONMENT}")
endfunction()
