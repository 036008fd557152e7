# The drawing context and the offscreen context.
target_sources(talon_gui_draw PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CDrawContext.cpp
                                      ${CMAKE_CURRENT_LIST_DIR}/COffscreenContext.cpp)
