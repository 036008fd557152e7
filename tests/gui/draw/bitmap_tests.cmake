# Tests of the bitmaps and their PNG decoder. The images are resources of the test program
# itself, made by data/make_test_pngs.py.
talon_add_gtest(gui_bitmap_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PngDecodeTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/PngMutationTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/BitmapDrawTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/BitmapLifecycleTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/data/bitmap_tests.rc
  LIBS talon_gui_fake_frame talon_gui_draw)
# windres looks for the image files along the include path.
target_include_directories(gui_bitmap_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/data)
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/data/bitmap_tests.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/data/bitmap_test_resources.h)
