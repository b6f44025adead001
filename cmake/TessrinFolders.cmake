# Every source folder of the build, named once. A folder that an issue brings
# is added to its list here, and only here; a folder named here must exist,
# and its CMakeLists.txt must build what it promises, or configure fails.
#
#   TESSRIN_TOP_FOLDERS     top-level folders, in the order they are added
#   TESSRIN_PLUGIN_FOLDERS  subsystem folders of plugins/tessrin; each builds
#                           the static library tessrin_<folder> that the
#                           plug-in library links
#   TESSRIN_TEST_FOLDERS    folders of tests/ (later: one per new source folder)
#   TESSRIN_BENCH_FOLDERS   benchmark programs of bench/
set(TESSRIN_TOP_FOLDERS pelmora/sdk tradeapi platform chartlib plugins/tessrin varnel pelmora/app bench tests)
set(TESSRIN_PLUGIN_FOLDERS db connection common layouts frame funds orders panes history risk charts app)
set(TESSRIN_TEST_FOLDERS support db connection frame pelmora tradeapi platform chartlib orders charts panes history funds varnel e2e)
set(TESSRIN_BENCH_FOLDERS price_push record_store record_table chart_build kline chart_tick hold_detail quote_board
    chart_cursor session config_file)

# Adds each folder of the list below the current source folder.
macro(tessrin_add_folders)
  foreach(folder ${ARGN})
    add_subdirectory(${folder})
  endforeach()
endmacro()
