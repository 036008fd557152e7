# Tests of the drawing and offscreen contexts. The fake frame is a library of its own so that
# other tests of the drawing layer that make contexts can link it too; its objects go straight
# into the program, since the drawing library itself calls the frame functions.
add_library(talon_gui_fake_frame OBJECT ${CMAKE_CURRENT_LIST_DIR}/FakeFrame.cpp)
target_include_directories(talon_gui_fake_frame PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(talon_gui_fake_frame PUBLIC talon_gui_draw)

talon_add_gtest(gui_draw_context_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DrawContextStateTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/DrawContextShapeTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/DrawContextTextTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/DrawContextInputTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/OffscreenContextTests.cpp
  LIBS talon_gui_fake_frame talon_gui_draw)
