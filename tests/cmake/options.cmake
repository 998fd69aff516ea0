# The vantrel executable's options run as a user types them: --help and --version print on
# standard output and end with status 0 without needing a display; --edit without a display,
# a misspelled option and an option misused end with status 2 and the usage on stderr; a
# spelling that is not an option form falls to the path rule. Run as a script
# (cmake -P) this file performs one run: ARGS (';' as ','), the expected STATUS and the
# patterns OUTPUT and ERRORS must match on standard output and standard error.
if(CMAKE_SCRIPT_MODE_FILE)
    string(REPLACE "," ";" arguments "${ARGS}")
    execute_process(COMMAND env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
                            ${EXE} ${arguments}
                    WORKING_DIRECTORY ${WORK}
                    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT status STREQUAL STATUS)
        message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\n"
                            "stdout: ${output}\nstderr: ${errors}")
    endif()
    if(NOT output MATCHES "${OUTPUT}")
        message(FATAL_ERROR "stdout does not match ${OUTPUT}:\n${output}")
    endif()
    if(NOT errors MATCHES "${ERRORS}")
        message(FATAL_ERROR "stderr does not match ${ERRORS}:\n${errors}")
    endif()
    return()
endif()

if(VANTREL_GUI)
    function(vantrel_option_run test arguments status output errors)
        add_test(NAME ${test}
                 COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:vantrel> "-DARGS=${arguments}"
                         -DSTATUS=${status} "-DOUTPUT=${output}" "-DERRORS=${errors}"
                         -DWORK=${CMAKE_CURRENT_BINARY_DIR}
                         -P ${CMAKE_CURRENT_LIST_FILE})
    endfunction()
    vantrel_option_run(cli_help --help 0
        "^Usage: vantrel \\[FILE\\].*  --edit \\[PROFILE\\] +open the editor.*  --version +print"
        "^$")
    # CMake's '.' also matches the newline.
    vantrel_option_run(cli_version --version 0 "^vantrel ${PROJECT_VERSION}.$" "^$")
    # Not an option form: the editor, which has no display here.
    vantrel_option_run(cli_help_not_first notes.txt,--help 0 "^$" "no display is available")
    # Loaded, not translated: a translation of this missing file would fail with status 1.
    vantrel_option_run(cli_edit_without_display --edit,absent.vtp 2 "^$"
        "no display is available, so the editor window cannot open.*\nUsage: vantrel")
    vantrel_option_run(cli_short_help_unknown -h 2 "^$" "^vantrel: unknown option -h.\nUsage: vantrel")
    vantrel_option_run(cli_unknown_option --chek,notes 2 "^$" "^vantrel: unknown option --chek.\nUsage:")
    vantrel_option_run(cli_option_misused --help,more 2 "^$"
        "^vantrel: --help must be the whole command line, in the form shown below.\nUsage:")
endif()
