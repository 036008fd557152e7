# The Win32 side of windowing: the frame's window and its events, text entry, popup menu, drag and
# drop, accessibility, user settings and the module. Each concern is an object of its own, so that
# a program links only what it calls. The toolkit calls the backend and the backend calls back into
# the toolkit's classes: the libraries name each other, which CMake resolves by repeating them on
# the link line.
add_library(talon_platform_win32_windowing STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Win32Window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32FrameWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32FrameAccessible.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32DropTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32DragData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32TextEntry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32PopupMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32UserSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Module.cpp)
target_include_directories(talon_platform_win32_windowing PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(talon_platform_win32_windowing PUBLIC talon_gui_views talon_gui_draw
                      ole32 oleaut32 shell32 uuid user32 gdi32 advapi32)
