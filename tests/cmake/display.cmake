# The vantrel executable started where no display can be reached: a display named in DISPLAY
# that nobody serves, with or without a platform named in QT_QPA_PLATFORM. The program must
# neither abort nor lose its work: a translation still writes its device file, and an editor
# start says that no display is there. Run as a script (cmake -P) this file performs one run.
if(CMAKE_SCRIPT_MODE_FILE)
    file(REMOVE_RECURSE ${WORK})
    file(MAKE_DIRECTORY ${WORK})
    file(COPY ${SOURCE} DESTINATION ${WORK})
    get_filename_component(name ${SOURCE} NAME)
    get_filename_component(stem ${SOURCE} NAME_WE)
    # A platform list comes with ',' for ';', which the test's command line would split.
    string(REPLACE "," ";" platform "${PLATFORM}")
    set(argument ${WORK}/${name})
    if(EDITOR)
        set(argument ${WORK}/notes.txt)
    endif()
    execute_process(COMMAND env -u WAYLAND_DISPLAY DISPLAY=:97 "QT_QPA_PLATFORM=${platform}"
                            ${EXE} ${argument}
                    RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_VARIABLE output)
    if(NOT status STREQUAL "0")
        message(FATAL_ERROR "exit status ${status}, expected 0; stderr: ${errors}")
    endif()
    if(EDITOR)
        if(NOT errors MATCHES "no display is available, so the editor window cannot open")
            message(FATAL_ERROR "no word of the missing display; stderr: ${errors}")
        endif()
    else()
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${stem}.bpf
                                ${EXPECTED_BPF} RESULT_VARIABLE differs)
        if(differs)
            message(FATAL_ERROR "${WORK}/${stem}.bpf missing or wrong; stderr: ${errors}")
        endif()
    endif()
    file(REMOVE_RECURSE ${WORK})
    return()
endif()

if(VANTREL_GUI)
    function(vantrel_display_run test platform editor)
        set(data ${CMAKE_CURRENT_SOURCE_DIR}/data/translate)
        add_test(NAME ${test}
                 COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:vantrel> -DSOURCE=${data}/fire.vtp
                         -DEXPECTED_BPF=${data}/fire.bpf -DWORK=${CMAKE_CURRENT_BINARY_DIR}/${test}
                         -DPLATFORM=${platform} -DEDITOR=${editor} -P ${CMAKE_CURRENT_LIST_FILE})
    endfunction()
    vantrel_display_run(cli_unreachable_display_translates "" OFF)
    vantrel_display_run(cli_unreachable_display_named_platform_translates xcb OFF)
    vantrel_display_run(cli_unreachable_display_named_platform_editor xcb ON)
    vantrel_display_run(cli_unreachable_display_platform_list_editor xcb,wayland ON)
endif()
