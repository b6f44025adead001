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

# The code under test keeps its build's optimisation (-O2, or -O1 under the
# sanitizers), but the test programs' own sources build unoptimised in every
# build: they compile in about two thirds of the time and their run time is
# in the code they drive. The precompiled carrier shares their flags.
function(tessrin_test_optimisation target)
  target_compile_options(${target} PRIVATE -O0)
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

# The plug-in in process. A program that drives the plug-in takes its code
# from libTessrin.so, as the host does, and not from the static libraries
# the plug-in library is made of: an edit of one of them then relinks the
# plug-in library, and only the programs that link that static library
# themselves (test programs and benchmarks do not relink when a shared
# library they link changes: LINK_DEPENDS_NO_SHARED). A program that links
# libTessrin.so must take none of its static parts as well, or the process
# holds two copies of their code and globals (two g_plugin, wx classes
# registered twice); the configure fails if one does.
#
#   tessrin_link_shared_plugin(TARGET SCOPE [libs...])
#       links Tessrin with the headers and outside libraries of its static
#       parts, and the libs by the same rule: a part among them, or one
#       reached through an interface library (as the platform fakes reach
#       tessrin_platform), gives its headers and outside libraries only.

# The names a link item stands for: $<LINK_ONLY:x> and
# $<LINK_LIBRARY:feature,x,...> name their libraries; CMake's directory
# markers (::@...) name none.
function(tessrin_link_item_names out item)
  if(item MATCHES "^::@")
    set(item "")
  elseif(item MATCHES "^\\$<LINK_ONLY:(.*)>$")
    set(item "${CMAKE_MATCH_1}")
  elseif(item MATCHES "^\\$<LINK_LIBRARY:[A-Za-z_]+,(.*)>$")
    string(REPLACE "," ";" item "${CMAKE_MATCH_1}")
  endif()
  set(${out} "${item}" PARENT_SCOPE)
endfunction()

# The type of a library of ours that the walks below look into: STATIC or
# INTERFACE; empty for anything else (shared libraries, imported targets,
# plain names), which is linked as it is.
function(tessrin_own_library_type out lib)
  set(kind "")
  if(TARGET ${lib})
    get_target_property(imported ${lib} IMPORTED)
    get_target_property(type ${lib} TYPE)
    if(NOT imported AND type MATCHES "^(STATIC|INTERFACE)_LIBRARY$")
      string(REPLACE "_LIBRARY" "" kind ${type})
    endif()
  endif()
  set(${out} ${kind} PARENT_SCOPE)
endfunction()

# What a target's link reaches through our static and interface libraries,
# private links included: the static libraries, and every name reached.
function(tessrin_link_closure statics_out names_out target)
  set(statics "")
  set(seen "")
  get_target_property(pending ${target} LINK_LIBRARIES)
  if(NOT pending)
    set(pending "")
  endif()
  while(pending)
    list(POP_FRONT pending item)
    tessrin_link_item_names(names "${item}")
    foreach(lib ${names})
      if(lib IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${lib})
      tessrin_own_library_type(kind ${lib})
      if(NOT kind)
        continue()
      endif()
      if(kind STREQUAL "STATIC")
        list(APPEND statics ${lib})
      endif()
      get_target_property(links ${lib} INTERFACE_LINK_LIBRARIES)
      if(links)
        list(APPEND pending ${links})
      endif()
    endforeach()
  endwhile()
  set(${statics_out} ${statics} PARENT_SCOPE)
  set(${names_out} ${seen} PARENT_SCOPE)
endfunction()

# The static libraries inside libTessrin.so, computed once.
function(tessrin_shared_plugin_parts out)
  get_property(known GLOBAL PROPERTY TESSRIN_SHARED_PLUGIN_PARTS SET)
  if(NOT known)
    tessrin_link_closure(parts names Tessrin)
    set_property(GLOBAL PROPERTY TESSRIN_SHARED_PLUGIN_PARTS ${parts})
  endif()
  get_property(parts GLOBAL PROPERTY TESSRIN_SHARED_PLUGIN_PARTS)
  set(${out} ${parts} PARENT_SCOPE)
endfunction()

function(tessrin_link_shared_plugin target scope)
  tessrin_shared_plugin_parts(parts)
  target_link_libraries(${target} ${scope} Tessrin)
  get_target_property(pending Tessrin LINK_LIBRARIES)
  list(APPEND pending ${ARGN})
  set(seen "")
  while(pending)
    list(POP_FRONT pending item)
    # What a library links privately only its own code needs.
    if(item MATCHES "^\\$<LINK_ONLY:")
      continue()
    endif()
    tessrin_link_item_names(names "${item}")
    foreach(lib ${names})
      if(lib IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${lib})
      tessrin_own_library_type(kind ${lib})
      if(NOT (kind STREQUAL "INTERFACE" OR lib IN_LIST parts))
        target_link_libraries(${target} ${scope} ${lib})
        continue()
      endif()
      foreach(usage INCLUDE_DIRECTORIES COMPILE_DEFINITIONS COMPILE_OPTIONS)
        get_target_property(values ${lib} INTERFACE_${usage})
        if(NOT values)
          continue()
        endif()
        if(NOT scope STREQUAL "INTERFACE")
          set_property(TARGET ${target} APPEND PROPERTY ${usage} ${values})
        endif()
        if(NOT scope STREQUAL "PRIVATE")
          set_property(TARGET ${target} APPEND PROPERTY INTERFACE_${usage} ${values})
        endif()
      endforeach()
      get_target_property(links ${lib} INTERFACE_LINK_LIBRARIES)
      if(links)
        list(APPEND pending ${links})
      endif()
    endforeach()
  endwhile()
endfunction()

# Fails when a program links libTessrin.so and one of its static parts too.
function(tessrin_check_one_plugin_copy target)
  tessrin_link_closure(statics names ${target})
  if(NOT "Tessrin" IN_LIST names)
    return()
  endif()
  tessrin_shared_plugin_parts(parts)
  foreach(lib ${statics})
    if(lib IN_LIST parts)
      message(FATAL_ERROR "${target} links libTessrin.so and ${lib}, a part of it, beside it: "
                          "link ${lib} through tessrin_link_shared_plugin")
    endif()
  endforeach()
endfunction()

# A test program or benchmark: not relinked when a shared library it links
# changes; checked, once its folder is read, for a second copy of the plug-in.
function(tessrin_program_links_shared target)
  set_target_properties(${target} PROPERTIES LINK_DEPENDS_NO_SHARED ON)
  # A deferred call reads its arguments when it runs: pass the name itself.
  cmake_language(EVAL CODE "cmake_language(DEFER CALL tessrin_check_one_plugin_copy [[${target}]])")
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
  tessrin_program_links_shared(${name})
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
