# vantrel-driver on a real kernel: Debian's own kernel booted under qemu runs the cases of
# tests/kernel/ against fake joysticks made through uinput (see tests/kernel/README.md). The
# test carries the label "kernel"; make test runs it once, as its own stage.
if(TARGET vantrel-driver AND TARGET vantrel AND TARGET vantrel_testsupport AND
   TARGET driver_io_tests AND TARGET driver_tests)
    set(KERNEL_TEST_DIR ${CMAKE_CURRENT_LIST_DIR}/../kernel)
    set(VANTREL_KERNEL_CACHE "${PROJECT_SOURCE_DIR}/build/kernel-cache" CACHE PATH
        "Where the real-kernel tests keep the unpacked kernel package")
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(VANTREL_KERNEL_INPUT REQUIRED IMPORTED_TARGET libevdev libudev)
    pkg_check_modules(VANTREL_KERNEL_SDL REQUIRED IMPORTED_TARGET sdl2)

    include(${KERNEL_TEST_DIR}/guest-init.cmake)

    add_executable(kernel-sdl-view ${KERNEL_TEST_DIR}/sdl-view.cpp)
    target_link_libraries(kernel-sdl-view PRIVATE PkgConfig::VANTREL_KERNEL_SDL)
    vantrel_warnings(kernel-sdl-view)

    add_library(vantrel_kernel_test_support STATIC
        ${KERNEL_TEST_DIR}/KernelDevices.cpp
        ${KERNEL_TEST_DIR}/KernelTestSupport.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../driver/DriverProcess.cpp)
    target_include_directories(vantrel_kernel_test_support PUBLIC
        ${KERNEL_TEST_DIR} ${CMAKE_CURRENT_LIST_DIR}/../driver)
    target_link_libraries(vantrel_kernel_test_support PUBLIC
        GTest::gtest PkgConfig::VANTREL_KERNEL_INPUT)
    target_compile_definitions(vantrel_kernel_test_support PUBLIC
        VANTREL_DRIVER="$<TARGET_FILE:vantrel-driver>"
        VANTREL_CLIENT="$<TARGET_FILE:vantrel>"
        VANTREL_SDL_VIEW="$<TARGET_FILE:kernel-sdl-view>"
        VANTREL_KERNEL_PROFILE="${KERNEL_TEST_DIR}/kernel.vtp")
    vantrel_warnings(vantrel_kernel_test_support)

    add_executable(kernel_tests ${KERNEL_TEST_DIR}/KernelDriverTest.cpp
                                ${KERNEL_TEST_DIR}/KernelLearnMonitorTest.cpp)
    target_link_libraries(kernel_tests PRIVATE vantrel_kernel_test_support GTest::gtest_main)
    add_dependencies(kernel_tests vantrel-driver vantrel kernel-sdl-view kernel_guest_init)
    vantrel_warnings(kernel_tests)
    set_target_properties(kernel_tests kernel-sdl-view vantrel_kernel_test_support PROPERTIES
        AUTOMOC OFF AUTORCC OFF)

    # The Controls window against a fake stick, and the uinput cases of the driver's own tests,
    # run in the same boot.
    add_executable(kernel_gui_tests ${KERNEL_TEST_DIR}/KernelControlsWindowTest.cpp)
    target_link_libraries(kernel_gui_tests PRIVATE vantrel_testsupport vantrel_kernel_test_support)
    add_dependencies(kernel_gui_tests vantrel-driver)
    vantrel_warnings(kernel_gui_tests)

    add_test(NAME kernel
             COMMAND ${KERNEL_TEST_DIR}/run-vm.sh ${CMAKE_BINARY_DIR}/kernel-guest-init
                     ${VANTREL_KERNEL_CACHE} ${KERNEL_TEST_DIR}/stage.sh
                     $<TARGET_FILE:kernel_tests> $<TARGET_FILE:kernel_gui_tests>
                     $<TARGET_FILE:driver_io_tests> $<TARGET_FILE:driver_tests> --gtest_color=no)
    set_tests_properties(kernel PROPERTIES LABELS kernel SKIP_RETURN_CODE 77 TIMEOUT 400
        RUN_SERIAL TRUE)
endif()
