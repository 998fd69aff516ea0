# Warnings on the project's own targets. They are errors only where asked (make test and CI turn
# VANTREL_WERROR on): a user's or packager's build must never fail on a new compiler's warning.
option(VANTREL_WERROR "Treat compiler warnings as errors" OFF)

function(vantrel_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(VANTREL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
