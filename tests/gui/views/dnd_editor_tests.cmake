# Tests of drag and drop over real platform data objects, and of the editor base.
talon_add_gtest(gui_dragdrop_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DragDataObject.cpp
          ${CMAKE_CURRENT_LIST_DIR}/DragContainerTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/DropTargetTests.cpp
  LIBS talon_gui_views)
talon_add_gtest(editor_base_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/EditorBaseTests.cpp
  LIBS talon_gui_views talon_test_support)
