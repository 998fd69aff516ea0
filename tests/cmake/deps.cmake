# The packages each make target installs: make run only what building and running need, so
# that a first run fetches no cross-compiler, Wine or clang; make test every set.
add_test(NAME deps_sets
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/deps-check.sh ${PROJECT_SOURCE_DIR})
set_tests_properties(deps_sets PROPERTIES PASS_REGULAR_EXPRESSION "^PASS")
