# vantrel maps no Qt library for a run on the command line, and hands a run with a display over
# to the editor program: whole processes watched through /proc, with the simulated driver
# holding an exchange open and message boxes on a real X server.
if(TARGET vantrel-editor AND TARGET x36-simdriver)
    file(GLOB START_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../start/*.cpp)
    add_executable(start_tests ${START_TEST_SOURCES})
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(START_TEST_X11 REQUIRED IMPORTED_TARGET x11)
    target_link_libraries(start_tests PRIVATE vantrel_test_xvfb GTest::gtest GTest::gtest_main
                                              PkgConfig::START_TEST_X11)
    target_compile_definitions(start_tests PRIVATE
        VANTREL_EXE="$<TARGET_FILE:vantrel>" VANTREL_SIMDRIVER="$<TARGET_FILE:x36-simdriver>"
        VANTREL_TEST_DATA="${CMAKE_CURRENT_LIST_DIR}/../data")
    add_dependencies(start_tests vantrel vantrel-editor x36-simdriver)
    set_target_properties(start_tests PROPERTIES AUTOMOC OFF AUTORCC OFF)
    vantrel_warnings(start_tests)
    gtest_discover_tests(start_tests DISCOVERY_MODE PRE_TEST
                         PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1")
endif()
