# Warnings on the project's own targets. They are errors only where asked (make test and CI turn
# VANTREL_WERROR on): a user's or packager's build must never fail on a new compiler's warning.
option(VANTREL_WERROR "Treat compiler warnings as errors" OFF)

# GCC 12 at -O2 and above reports -Wrestrict inside libstdc++ wherever a string literal is
# prepended to a std::string temporary: a false positive of that compiler series, known to its
# developers. Only that warning of GCC 12 is left out; every other warning stays an error.
set(VANTREL_GCC12_RESTRICT_FALSE_POSITIVE OFF)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    set(VANTREL_GCC12_RESTRICT_FALSE_POSITIVE ON)
endif()

function(vantrel_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(VANTREL_GCC12_RESTRICT_FALSE_POSITIVE)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(VANTREL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
