# The device link is tested against the simulated driver, which the tests start themselves.
if(TARGET x36-simdriver)
    add_dependencies(core_tests x36-simdriver)
    # The simulator's own parts are tested where it is built, in the same binary.
    file(GLOB SIMDRIVER_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../simdriver/*.cpp)
    target_sources(core_tests PRIVATE ${SIMDRIVER_TEST_SOURCES})
    target_link_libraries(core_tests PRIVATE x36sim x36sim_account)
    target_compile_definitions(core_tests PRIVATE
        VANTREL_SIMDRIVER="$<TARGET_FILE:x36-simdriver>")
endif()
target_compile_definitions(core_tests PRIVATE
    VANTREL_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")

if(TARGET x36-simdriver AND TARGET vantrel)
    add_test(NAME cli_device_send
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/device-cli.sh $<TARGET_FILE:vantrel>
                     $<TARGET_FILE:x36-simdriver>)
    set_tests_properties(cli_device_send PROPERTIES PASS_REGULAR_EXPRESSION "^PASS")
    # The headless run of make run: translate the examples, send one, show both sides.
    add_test(NAME run_headless_demo
             COMMAND env -u DISPLAY -u WAYLAND_DISPLAY ${PROJECT_SOURCE_DIR}/scripts/run
                     ${CMAKE_BINARY_DIR})
    set_tests_properties(run_headless_demo PROPERTIES
        PASS_REGULAR_EXPRESSION "Profile load complete\\.\n.*Profile accepted\\.")
endif()

# The README's commands for trying the examples, as written.
if(TARGET x36-simdriver AND TARGET vantrel AND TARGET vantrel-driver)
    add_test(NAME readme_try_examples
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/readme-cli.sh ${PROJECT_SOURCE_DIR}
                     $<TARGET_FILE_DIR:vantrel> $<TARGET_FILE_DIR:x36-simdriver>
                     $<TARGET_FILE_DIR:vantrel-driver>)
    set_tests_properties(readme_try_examples PROPERTIES PASS_REGULAR_EXPRESSION "^PASS")
endif()
