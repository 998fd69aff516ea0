# The Linux driver daemon: its parts, and the daemon run as a process against a pipe.
if(TARGET vantrel-driver)
    file(GLOB DRIVER_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../driver/*.cpp)
    add_executable(driver_tests ${DRIVER_TEST_SOURCES})
    target_link_libraries(driver_tests PRIVATE vantrel_driver GTest::gtest GTest::gtest_main)
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
