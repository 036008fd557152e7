# Drag and drop, and the editor base that binds the host's editor interface to the frame.
target_sources(talon_gui_views PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CDropTarget.cpp
                                       ${CMAKE_CURRENT_LIST_DIR}/CDragContainer.cpp
                                       ${PROJECT_SOURCE_DIR}/host/AEffGUIEditor.cpp)
