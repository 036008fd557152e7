# Bitmaps and the PNG decoder behind them.
target_sources(talon_gui_draw PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CBitmap.cpp
                                      ${CMAKE_CURRENT_LIST_DIR}/OwnedBitmaps.cpp
                                      ${CMAKE_CURRENT_LIST_DIR}/PngDecoder.cpp
                                      ${CMAKE_CURRENT_LIST_DIR}/PngMemoryStream.cpp)
