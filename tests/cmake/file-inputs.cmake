# The vantrel executable on inputs that are not plain readable files (folders, FIFOs, device
# links, huge files) and on device files that cannot be written.
if(TARGET vantrel)
    add_test(NAME cli_file_inputs
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/file-inputs-cli.sh $<TARGET_FILE:vantrel>)
    set_tests_properties(cli_file_inputs PROPERTIES PASS_REGULAR_EXPRESSION "PASS\n$"
                                                  TIMEOUT 300)
endif()
