# The vantrel executable translating profile text files with no display, as a user would run
# it from a shell: the device file written beside the text file, the messages on stderr and
# the exit status. Run as a script (cmake -P) this file performs one such run; with FOLDER
# the file is put in that folder of the work folder and named by a relative path from there
# (./FOLDER/NAME), as a user in a shell names it.
if(CMAKE_SCRIPT_MODE_FILE)
    string(REPLACE "WORKDIR" "${WORK}" EXPECT_STDERR "${EXPECT_STDERR}")
    file(REMOVE_RECURSE ${WORK})
    set(dir ${WORK})
    set(argument_dir ${WORK})
    if(FOLDER)
        set(dir ${WORK}/${FOLDER})
        set(argument_dir ./${FOLDER})
    endif()
    file(MAKE_DIRECTORY ${dir})
    file(COPY ${SOURCE} DESTINATION ${dir})
    get_filename_component(name ${SOURCE} NAME)
    get_filename_component(stem ${SOURCE} NAME_WE)
    if(DELETE_SOURCE)
        file(REMOVE ${dir}/${name})
    endif()
    execute_process(COMMAND env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
                            ${EXE} ${argument_dir}/${name}
                    WORKING_DIRECTORY ${WORK}
                    RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_VARIABLE output)
    if(NOT status STREQUAL EXPECT_STATUS)
        message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_STATUS}; stderr: ${errors}")
    endif()
    if(NOT errors STREQUAL EXPECT_STDERR)
        message(FATAL_ERROR "stderr was [${errors}], expected [${EXPECT_STDERR}]")
    endif()
    if(EXPECTED_BPF)
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${dir}/${stem}.bpf
                                ${EXPECTED_BPF} RESULT_VARIABLE differs)
        if(differs)
            message(FATAL_ERROR "${dir}/${stem}.bpf differs from ${EXPECTED_BPF}")
        endif()
        file(GLOB written RELATIVE ${dir} ${dir}/*.bpf)
        if(NOT written STREQUAL "${stem}.bpf")
            message(FATAL_ERROR "device files written: ${written}, expected ${stem}.bpf alone")
        endif()
    else()
        file(GLOB written ${dir}/*.bpf)
        if(written)
            message(FATAL_ERROR "a device file was written although the translation failed: "
                                "${written}")
        endif()
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
    # The device file is written all the same, but the run is not a success, and it says
    # where to see every problem.
    vantrel_translate_run(cli_translate_faulty_token ${data}/typo.vtp 1
                          "xyz: Event type not recognized: \nvantrel --check WORKDIR/typo.vtp lists every problem with its line.\n"
                          ${data}/typo.bpf)
    vantrel_translate_run(cli_translate_refused ${data}/broken-no-closing-line.vtp 1
                          "Profile error.: Line 5: The axis chain Gear has no closing line.\nvantrel --check WORKDIR/broken-no-closing-line.vtp lists every problem with its line.\n" "")
    # A file with no section line is no profile: an empty device file would clear the X36.
    vantrel_translate_run(cli_translate_not_profile ${data}/broken-hello.vtp 1
                          "Profile error.: Not a profile text file: it holds no section line such as <SCRIPTLIST>.\nvantrel --check WORKDIR/broken-hello.vtp lists every problem with its line.\n" "")
    # Dots in the folders do not count: ./.config/x/fire.vtp gives fire.bpf beside it.
    vantrel_translate_run(cli_translate_dotted_folder ${data}/fire.vtp 0 "" ${data}/fire.bpf
                          -DFOLDER=.config/x.y)
    vantrel_translate_run(cli_translate_missing ${data}/fire.vtp 1
                          "WORKDIR/fire.vtp: Error opening file.\n" "" -DDELETE_SOURCE=ON)
endif()
