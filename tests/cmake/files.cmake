# The whole-road test sends its profile to the simulated driver, which it runs itself.
if(TARGET WholeRoadTest AND TARGET x36sim)
    target_link_libraries(WholeRoadTest PRIVATE x36sim)
    target_compile_definitions(WholeRoadTest PRIVATE VANTREL_HAVE_SIMDRIVER=1)
endif()
