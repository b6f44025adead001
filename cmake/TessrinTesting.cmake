# A test folder builds two programs: <folder>_tests (headless) and
# <folder>_gui_tests (a wx application on a display), each over all the
# folder's *Test.cpp or *GuiTest.cpp files. ctest keeps one entry per file,
# named <folder>_<file>, which runs that program on the suites the file
# defines: files still run in processes of their own and in parallel.
#
#   tessrin_add_test_program(NAME [GUI] LIBS libs...)
#   tessrin_add_test_file(PROGRAM FILE [NAME entry] [TIMEOUT s])
#   tessrin_add_folder_tests(PREFIX LIBS libs... [GUI_LIBS libs...]
#                            [TIMEOUT s] [GUI_TIMEOUT s] [EXCEPT files...])
#   tessrin_add_test(NAME SOURCES files... LIBS libs... [GUI] [TIMEOUT s])
#                            a program of its own, for the odd one out
#
# GUI entries get an Xvfb display of their own: on a display shared by
# programs running in parallel, their windows cover each other and take each
# other's simulated clicks. -noreset keeps a server up while it has no client
# at all.
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

# The gtest filter that selects the tests FILE defines: its TEST and TEST_F
# suites, and its TEST_P suites under their instantiation prefixes.
function(tessrin_test_file_filter out file)
  file(STRINGS ${file} lines REGEX "^[ \t]*(TEST|TEST_F|TEST_P|INSTANTIATE_TEST_SUITE_P)\\(")
  set(patterns "")
  set(parameterised "")
  foreach(line ${lines})
    if(line MATCHES "^[ \t]*(TEST|TEST_F)\\([ \t]*([A-Za-z0-9_]+)[ \t]*,")
      list(APPEND patterns "${CMAKE_MATCH_2}.*")
    elseif(line MATCHES "^[ \t]*TEST_P\\([ \t]*([A-Za-z0-9_]+)[ \t]*,")
      list(APPEND parameterised ${CMAKE_MATCH_1})
    elseif(line MATCHES "^[ \t]*INSTANTIATE_TEST_SUITE_P\\([ \t]*([A-Za-z0-9_]+)[ \t]*,[ \t]*([A-Za-z0-9_]+)")
      list(APPEND patterns "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.*")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES patterns)
  if(NOT patterns)
    message(FATAL_ERROR "${file} defines no test")
  endif()
  list(JOIN patterns ":" filter)
  set(${out} ${filter} PARENT_SCOPE)
endfunction()

function(tessrin_add_test_program name)
  cmake_parse_arguments(T "GUI" "" "LIBS" ${ARGN})
  add_executable(${name})
  if(T_GUI)
    target_link_libraries(${name} PRIVATE tessrin_gui_test_main)
  else()
    target_link_libraries(${name} PRIVATE tessrin_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  # The test framework and wx come precompiled (tests/CMakeLists.txt).
  target_precompile_headers(${name} REUSE_FROM tessrin_test_pch)
  tessrin_test_optimisation(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
                        TESSRIN_GUI "${T_GUI}")
endfunction()

function(tessrin_add_test_file program file)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "" ${ARGN})
  get_filename_component(file ${file} ABSOLUTE)
  if(NOT T_NAME)
    get_filename_component(T_NAME ${file} NAME_WE)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  tessrin_test_timeout(T_TIMEOUT ${T_TIMEOUT})
  target_sources(${program} PRIVATE ${file})
  # The suites are read again when the file changes.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  tessrin_test_file_filter(filter ${file})
  get_target_property(gui ${program} TESSRIN_GUI)
  set(launcher)
  if(gui)
    set(launcher ${TESSRIN_XVFB_RUN} -a -s "-screen 0 1600x1000x24 -noreset")
  endif()
  add_test(NAME ${T_NAME} COMMAND ${launcher} $<TARGET_FILE:${program}> --gtest_color=no
           "--gtest_filter=${filter}" WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${TESSRIN_TEST_ENVIRONMENT}")
endfunction()

function(tessrin_add_folder_tests prefix)
  cmake_parse_arguments(T "" "TIMEOUT;GUI_TIMEOUT" "LIBS;GUI_LIBS;EXCEPT" ${ARGN})
  if(NOT T_GUI_LIBS)
    set(T_GUI_LIBS ${T_LIBS})
  endif()
  set(timeout)
  if(T_TIMEOUT)
    set(timeout TIMEOUT ${T_TIMEOUT})
  endif()
  set(gui_timeout)
  if(T_GUI_TIMEOUT)
    set(gui_timeout TIMEOUT ${T_GUI_TIMEOUT})
  endif()
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
  foreach(file ${files})
    get_filename_component(name ${file} NAME_WE)
    get_filename_component(base ${file} NAME)
    if(base IN_LIST T_EXCEPT)
      continue()
    endif()
    if(name MATCHES "GuiTest$")
      if(NOT TARGET ${prefix}_gui_tests)
        tessrin_add_test_program(${prefix}_gui_tests GUI LIBS ${T_GUI_LIBS})
      endif()
      tessrin_add_test_file(${prefix}_gui_tests ${file} NAME ${prefix}_${name} ${gui_timeout})
    else()
      if(NOT TARGET ${prefix}_tests)
        tessrin_add_test_program(${prefix}_tests LIBS ${T_LIBS})
      endif()
      tessrin_add_test_file(${prefix}_tests ${file} NAME ${prefix}_${name} ${timeout})
    endif()
  endforeach()
endfunction()

function(tessrin_add_test name)
  cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  set(gui)
  if(T_GUI)
    set(gui GUI)
  endif()
  tessrin_add_test_program(${name} ${gui} LIBS ${T_LIBS})
  list(GET T_SOURCES 0 first)
  list(REMOVE_AT T_SOURCES 0)
  target_sources(${name} PRIVATE ${T_SOURCES})
  set(timeout)
  if(T_TIMEOUT)
    set(timeout TIMEOUT ${T_TIMEOUT})
  endif()
  tessrin_add_test_file(${name} ${first} NAME ${name} ${timeout})
endfunction()
