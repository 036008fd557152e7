# The panel's artwork as a resource object, linked into the plug-in and into any test program
# that wants the same images. The PNG files are committed; make_artwork.py redraws them.
add_library(talon_artwork OBJECT ${CMAKE_CURRENT_LIST_DIR}/Talon5800Artwork.rc)
# windres looks for the image files along the include path.
target_include_directories(talon_artwork PRIVATE ${CMAKE_CURRENT_LIST_DIR})
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/Talon5800Artwork.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/ArtworkResources.h ${CMAKE_CURRENT_LIST_DIR}/background.png
             ${CMAKE_CURRENT_LIST_DIR}/knob.png ${CMAKE_CURRENT_LIST_DIR}/strip.png
             ${CMAKE_CURRENT_LIST_DIR}/background@2x.png ${CMAKE_CURRENT_LIST_DIR}/knob@2x.png
             ${CMAKE_CURRENT_LIST_DIR}/strip@2x.png ${CMAKE_CURRENT_LIST_DIR}/background@3x.png
             ${CMAKE_CURRENT_LIST_DIR}/knob@3x.png ${CMAKE_CURRENT_LIST_DIR}/strip@3x.png)
