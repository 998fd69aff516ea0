# `vantrel --check` run as a user would from a shell: the report on stdout and the exit status.
# Run as a script (cmake -P) this file performs one such run.
if(CMAKE_SCRIPT_MODE_FILE)
    separate_arguments(arguments UNIX_COMMAND "${ARGS}")
    execute_process(COMMAND env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
                            ${EXE} ${arguments}
                    WORKING_DIRECTORY ${DATA}
                    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT status STREQUAL EXPECT_STATUS)
        message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_STATUS}; "
                            "stdout: [${output}] stderr: [${errors}]")
    endif()
    if(NOT output MATCHES "${EXPECT_STDOUT}")
        message(FATAL_ERROR "stdout was [${output}], expected to match [${EXPECT_STDOUT}]")
    endif()
    return()
endif()

if(VANTREL_GUI)
    set(check_exe $<TARGET_FILE:vantrel>)
else()
    set(check_exe $<TARGET_FILE:vantrel_console>)
endif()
function(vantrel_check_run test arguments status stdout)
    add_test(NAME ${test}
             COMMAND ${CMAKE_COMMAND} -DEXE=${check_exe} "-DARGS=${arguments}"
                     -DDATA=${CMAKE_CURRENT_SOURCE_DIR}/data/check -DEXPECT_STATUS=${status}
                     "-DEXPECT_STDOUT=${stdout}" -P ${CMAKE_CURRENT_LIST_FILE})
endfunction()
vantrel_check_run(cli_check_clean "--check clean.vtp" 0 "^clean.vtp: no problems\n$")
vantrel_check_run(cli_check_errors "--check faulty-token.vtp" 1
    "^faulty-token.vtp:3:11: error: Event type not recognized: xyz\nfaulty-token.vtp: 1 error, 0 warnings\n$")
vantrel_check_run(cli_check_warnings_only "--check default-case.vtp" 0
    "default-case.vtp: 0 errors, 2 warnings\n$")
vantrel_check_run(cli_check_strict "--check --strict default-case.vtp" 1
    "default-case.vtp: 0 errors, 2 warnings\n$")
vantrel_check_run(cli_check_strict_clean "--check --strict clean.vtp" 0 "no problems")
vantrel_check_run(cli_check_several "--check clean.vtp loadmode.vtp missing.vtp" 1
    "^clean.vtp: no problems\nloadmode.vtp:3:22: error: [^\n]*\nloadmode.vtp: 1 error, 0 warnings\nmissing.vtp: error: Error opening file.\nmissing.vtp: 1 error, 0 warnings\n$")
# Only the exact option as the first argument is one; anything else keeps the path rule.
vantrel_check_run(cli_check_not_first "clean.txt --check" 0 "^$")
vantrel_check_run(cli_check_header_delays "--check header-delays.vtp" 1
    "header-delays.vtp:3:21: error: [^\n]*it would get -1294967296.\n.*header-delays.vtp: 6 errors, 0 warnings\n$")
# A misspelt section line is named, with the one meant, instead of a flood of what follows.
vantrel_check_run(cli_check_unknown_section "--check unknown-sections.vtp" 1
    "unknown-sections.vtp:10:1: error: Unknown section line <PROGRAM_MODE>; did you mean <PROGRAM_MODES>\\?[^\n]*\nunknown-sections.vtp:14:1:[^\n]*\nunknown-sections.vtp: 3 errors, 2 warnings\n$")
vantrel_check_run(cli_check_closing_names "--check closing-names.vtp" 0
    "closing-names.vtp:15:1: warning: The closing line {Landing} does not name the programming mode Combat it closes")
