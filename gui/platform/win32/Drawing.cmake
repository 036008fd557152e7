# The drawing concerns over GDI: devices, offscreen surfaces, bitmap pixels and resources, and the
# pointer queries of the drawing context.
add_library(talon_platform_win32_drawing STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Win32Globals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32DrawingDevice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32PointerInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Offscreen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Bitmaps.cpp)
target_include_directories(talon_platform_win32_drawing PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(talon_platform_win32_drawing PUBLIC gdi32 user32)
