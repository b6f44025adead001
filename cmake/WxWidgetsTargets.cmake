# FindwxWidgets of CMake 3.25 has no imported targets: wrap its variables.
#   wx::base  - wxBase only (record database, connection layer)
#   wx::webview - base, core and webview (platform layer)
#   wx::gui   - every library the host and the plug-in use
function(_tessrin_wrap_wx target)
  find_package(wxWidgets 3.2 REQUIRED COMPONENTS ${ARGN})
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  target_include_directories(${target} SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(${target} INTERFACE ${wxWidgets_DEFINITIONS})
  target_compile_options(${target} INTERFACE ${wxWidgets_CXX_FLAGS})
  target_link_libraries(${target} INTERFACE ${wxWidgets_LIBRARIES})
endfunction()

if(NOT TARGET wx::base)
  _tessrin_wrap_wx(wx::base base)
  _tessrin_wrap_wx(wx::webview webview core base)
  _tessrin_wrap_wx(wx::gui webview aui propgrid richtext html xrc adv core net xml base)
endif()
