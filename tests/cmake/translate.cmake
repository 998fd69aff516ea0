# The vantrel executable translating profile text files with no display, as a user would run
# it from a shell: the device file written beside the text file, the messages on stderr and
# the exit status. Run as a script (cmake -P) this file performs one such run.
if(CMAKE_SCRIPT_MODE_FILE)
    string(REPLACE "WORKDIR" "${WORK}" EXPECT_STDERR "${EXPECT_STDERR}")
    file(REMOVE_RECURSE ${WORK})
    file(MAKE_DIRECTORY ${WORK})
    file(COPY ${SOURCE} DESTINATION ${WORK})
    get_filename_component(name ${SOURCE} NAME)
    get_filename_component(stem ${SOURCE} NAME_WE)
    if(DELETE_SOURCE)
        file(REMOVE ${WORK}/${name})
    endif()
    execute_process(COMMAND env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
                            ${EXE} ${WORK}/${name}
                    RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_VARIABLE output)
    if(NOT status STREQUAL EXPECT_STATUS)
        message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_STATUS}; stderr: ${errors}")
    endif()
    if(NOT errors STREQUAL EXPECT_STDERR)
        message(FATAL_ERROR "stderr was [${errors}], expected [${EXPECT_STDERR}]")
    endif()
    if(EXPECTED_BPF)
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${stem}.bpf
                                ${EXPECTED_BPF} RESULT_VARIABLE differs)
        if(differs)
            message(FATAL_ERROR "${WORK}/${stem}.bpf differs from ${EXPECTED_BPF}")
        endif()
    elseif(EXISTS ${WORK}/${stem}.bpf)
        message(FATAL_ERROR "a device file was written although the translation failed")
    endif()
    file(REMOVE_RECURSE ${WORK})
    return()
endif()

if(VANTREL_GUI)
    function(vantrel_translate_run test source status stderr expected)
        add_test(NAME ${test}
                 COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:vantrel> -DSOURCE=${source}
                         -DWORK=${CMAKE_CURRENT_BINARY_DIR}/${test} -DEXPECT_STATUS=${status}
                         "-DEXPECT_STDERR=${stderr}" -DEXPECTED_BPF=${expected} ${ARGN}
                         -P ${CMAKE_CURRENT_LIST_FILE})
    endfunction()
    set(data ${CMAKE_CURRENT_SOURCE_DIR}/data/translate)
    vantrel_translate_run(cli_translate_golden ${data}/fire.vtp 0 "" ${data}/fire.bpf)
    vantrel_translate_run(cli_translate_faulty_token ${data}/typo.vtp 0
                          "xyz: Event type not recognized: \n" ${data}/typo.bpf)
    vantrel_translate_run(cli_translate_refused ${data}/broken-no-closing-line.vtp 1
                          "Profile error.: Line 5: The axis chain Gear has no closing line.\n" "")
    vantrel_translate_run(cli_translate_missing ${data}/fire.vtp 1
                          "WORKDIR/fire.vtp: Error opening file.\n" "" -DDELETE_SOURCE=ON)
endif()
