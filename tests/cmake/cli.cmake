# The vantrel executable run as a user would, with no display.
if(VANTREL_GUI)
    add_test(NAME cli_editor_without_display
             COMMAND env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $<TARGET_FILE:vantrel> notes.txt)
    set_tests_properties(cli_editor_without_display PROPERTIES
        PASS_REGULAR_EXPRESSION "no display is available")
endif()
