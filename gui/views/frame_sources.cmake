# The frame: its logic as the root of the view tree, and its binding to the window system.
target_sources(talon_gui_views PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CFrame.cpp
                                       ${CMAKE_CURRENT_LIST_DIR}/FrameWindow.cpp
                                       ${CMAKE_CURRENT_LIST_DIR}/FrameGeometry.cpp)
