# The Linux driver daemon: its parts, and the daemon run as a process against a pipe.
if(TARGET vantrel-driver)
    file(GLOB DRIVER_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../driver/*.cpp)
    add_executable(driver_tests ${DRIVER_TEST_SOURCES})
    target_link_libraries(driver_tests PRIVATE vantrel_driver GTest::gmock GTest::gtest GTest::gtest_main)
    target_compile_definitions(driver_tests PRIVATE
        VANTREL_DRIVER="$<TARGET_FILE:vantrel-driver>"
        VANTREL_VERSION="${PROJECT_VERSION}"
        VANTREL_DRIVER_DIST="${PROJECT_SOURCE_DIR}/tools/vantrel-driver/dist"
        VANTREL_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
    add_dependencies(driver_tests vantrel-driver)
    vantrel_warnings(driver_tests)
    set_target_properties(driver_tests PROPERTIES AUTOMOC OFF AUTORCC OFF)
    gtest_discover_tests(driver_tests DISCOVERY_MODE PRE_TEST
                         PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1")
endif()

if(TARGET vantrel-driver AND TARGET vantrel)
    add_test(NAME cli_driver_load
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/driver-cli.sh $<TARGET_FILE:vantrel>
                     $<TARGET_FILE:vantrel-driver> ${PROJECT_SOURCE_DIR}/examples)
    set_tests_properties(cli_driver_load PROPERTIES PASS_REGULAR_EXPRESSION "^PASS")
    # The headless run of make run ends with the Linux driver playing a recorded sortie.
    add_test(NAME run_headless_play
             COMMAND env -u DISPLAY -u WAYLAND_DISPLAY ${PROJECT_SOURCE_DIR}/scripts/run
                     ${CMAKE_BINARY_DIR})
    set_tests_properties(run_headless_play PROPERTIES
        PASS_REGULAR_EXPRESSION
        "vantrel-driver --play combat.bpf.*key down  r \\(usage 21\\).*configuration 2 active")
endif()

# The editor's Controls window watches a real driver and compares its try with --play.
if(TARGET vantrel-driver AND TARGET ControlsWindowTest)
    target_sources(ControlsWindowTest PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../driver/DriverProcess.cpp)
    target_compile_definitions(ControlsWindowTest PRIVATE
        VANTREL_DRIVER="$<TARGET_FILE:vantrel-driver>")
    add_dependencies(ControlsWindowTest vantrel-driver)
    if(TARGET x36-simdriver)
        target_compile_definitions(ControlsWindowTest PRIVATE
            VANTREL_SIMDRIVER="$<TARGET_FILE:x36-simdriver>")
        add_dependencies(ControlsWindowTest x36-simdriver)
    endif()
endif()
