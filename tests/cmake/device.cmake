# The device link is tested against the simulated driver, which the tests start themselves.
if(TARGET x36-simdriver)
    add_dependencies(core_tests x36-simdriver)
    target_link_libraries(core_tests PRIVATE x36sim)
    target_compile_definitions(core_tests PRIVATE
        VANTREL_SIMDRIVER="$<TARGET_FILE:x36-simdriver>")
endif()
target_compile_definitions(core_tests PRIVATE
    VANTREL_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
