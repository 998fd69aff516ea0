# The Linux driver's hardware adapters, tested through pipes, FIFOs, files and a real X server.
if(TARGET vantrel_driver_io)
    file(GLOB DRIVER_IO_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../driver-io/*.cpp)
    add_executable(driver_io_tests ${DRIVER_IO_TEST_SOURCES})
    target_link_libraries(driver_io_tests PRIVATE vantrel_driver_io vantrel_test_xvfb GTest::gtest
                                                  GTest::gmock GTest::gtest_main)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(DRIVER_IO_TEST_X11 REQUIRED IMPORTED_TARGET x11)
    target_link_libraries(driver_io_tests PRIVATE PkgConfig::DRIVER_IO_TEST_X11)
    target_compile_definitions(driver_io_tests PRIVATE
        VANTREL_GUIDE="${PROJECT_SOURCE_DIR}/docs/readme.html")
    set_target_properties(driver_io_tests PROPERTIES AUTOMOC OFF AUTORCC OFF)
    vantrel_warnings(driver_io_tests)
    gtest_discover_tests(driver_io_tests DISCOVERY_MODE PRE_TEST
                         PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1")
endif()
