# The test machine's first process (guest-init.c), static: it runs before the host's root is
# mounted. Built once per build tree as ${CMAKE_BINARY_DIR}/kernel-guest-init, for the kernel
# tests and the kernel benchmark alike.
if(NOT TARGET kernel_guest_init)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/kernel-guest-init
        COMMAND ${CMAKE_CXX_COMPILER} -x c -std=c11 -static -O2 -Wall -Wextra -Werror
                -o ${CMAKE_BINARY_DIR}/kernel-guest-init ${CMAKE_CURRENT_LIST_DIR}/guest-init.c
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/guest-init.c
        COMMENT "Building the test machine's init")
    add_custom_target(kernel_guest_init ALL DEPENDS ${CMAKE_BINARY_DIR}/kernel-guest-init)
endif()
