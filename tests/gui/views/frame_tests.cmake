# Tests of the frame: its logic without a window, and in real child windows of a host window.
talon_add_gtest(gui_frame_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FrameLogicTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/FrameWindowTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/FrameGeometryTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/FrameLifecycleTests.cpp
  LIBS talon_gui_views talon_test_support)
