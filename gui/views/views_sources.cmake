# The view base and the container.
target_sources(talon_gui_views PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CView.cpp
                                       ${CMAKE_CURRENT_LIST_DIR}/CViewContainer.cpp
                                       ${CMAKE_CURRENT_LIST_DIR}/CViewContainerRouting.cpp)
