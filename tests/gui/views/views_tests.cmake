# Tests of the view base and the container.
talon_add_gtest(gui_views_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ViewBaseTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ContainerTreeTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ContainerDrawTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ContainerRoutingTests.cpp
  LIBS talon_gui_views)
