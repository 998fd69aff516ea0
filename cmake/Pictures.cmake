# The program's pictures, rendered from their drawings at build time at the sizes the windows
# show them at, as plain pixels (widgets/PictureBits.h) in the GUI library's resources:
# :/pictures/NAME.rgba, and the window icon's sizes as :/icon/SIZE.rgba. The icon theme gets
# PNGs of every size. Nothing parses SVG or decodes an image while the program starts.
# Included by the top CMakeLists.txt once vantrel_gui exists.
set(VANTREL_PICTURES_BUILD ${PROJECT_BINARY_DIR}/pictures)
set(VANTREL_DRAWINGS ${PROJECT_SOURCE_DIR}/resources)

add_executable(vantrel_render_picture ${PROJECT_SOURCE_DIR}/dist/pictures/RenderPicture.cpp)
target_link_libraries(vantrel_render_picture PRIVATE Qt6::Svg Qt6::Gui)
target_include_directories(vantrel_render_picture PRIVATE ${PROJECT_SOURCE_DIR})
set_target_properties(vantrel_render_picture PROPERTIES AUTOMOC OFF AUTORCC OFF)
vantrel_warnings(vantrel_render_picture)

# vantrel_render(OUTPUT DRAWING WIDTHxHEIGHT GROUND): one picture, GROUND white or transparent.
function(vantrel_render output drawing size ground)
    get_filename_component(folder ${output} DIRECTORY)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
                $<TARGET_FILE:vantrel_render_picture> ${VANTREL_DRAWINGS}/${drawing} ${size}
                ${ground} ${output}
        DEPENDS vantrel_render_picture ${VANTREL_DRAWINGS}/${drawing}
        COMMENT "Rendering ${drawing} at ${size}" VERBATIM)
endfunction()

# name      drawing        size in pixels
set(VANTREL_PICTURES
    logo     logo.svg      198x55
    stick    stick.svg     337x276
    throttle throttle.svg  343x206
    axes     axes.svg      336x293)
# The icon theme gets every size; the window's own icon the small ones.
set(VANTREL_ICON_SIZES 16 24 32 48 64 128 256)
set(VANTREL_WINDOW_ICON_SIZES 16 32 48 64)

set(resource_files)
list(LENGTH VANTREL_PICTURES count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 3)
    math(EXPR j "${i} + 1")
    math(EXPR k "${i} + 2")
    list(GET VANTREL_PICTURES ${i} name)
    list(GET VANTREL_PICTURES ${j} drawing)
    list(GET VANTREL_PICTURES ${k} size)
    vantrel_render(${VANTREL_PICTURES_BUILD}/pictures/${name}.rgba ${drawing} ${size} white)
    list(APPEND resource_files pictures/${name}.rgba)
endforeach()

set(VANTREL_ICON_PNGS)
foreach(size ${VANTREL_ICON_SIZES})
    set(png ${VANTREL_PICTURES_BUILD}/icon/${size}.png)
    vantrel_render(${png} vantrel-icon.svg ${size}x${size} transparent)
    list(APPEND VANTREL_ICON_PNGS ${png})
    if(size IN_LIST VANTREL_WINDOW_ICON_SIZES)
        vantrel_render(${VANTREL_PICTURES_BUILD}/icon/${size}.rgba vantrel-icon.svg
                       ${size}x${size} transparent)
        list(APPEND resource_files icon/${size}.rgba)
    endif()
endforeach()

set(resource_paths)
foreach(file ${resource_files})
    list(APPEND resource_paths ${VANTREL_PICTURES_BUILD}/${file})
endforeach()
# Stored as they are: unpacking them would cost the start more than the pages they take.
qt_add_resources(vantrel_gui vantrel_pictures PREFIX / BASE ${VANTREL_PICTURES_BUILD}
                 FILES ${resource_paths} OPTIONS -no-compress)
