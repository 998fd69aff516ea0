# Installing and packaging as a distribution does. install_tree installs into a DESTDIR and
# checks the tree with the distributions' own validators, then runs the installed program;
# install_debian_package builds the .deb with CPack and checks its contents and dependencies.
if(NOT VANTREL_GUI OR NOT UNIX OR APPLE)
    return()
endif()

add_test(NAME install_tree
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/install-check.sh ${CMAKE_BINARY_DIR}
                 ${CMAKE_CURRENT_BINARY_DIR}/install_tree ${VANTREL_APP_ID}
                 ${VANTREL_README_FROM_EDITOR})
set_tests_properties(install_tree PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")

set(package_work ${CMAKE_CURRENT_BINARY_DIR}/install_debian_package)
add_test(NAME install_debian_package
         COMMAND sh -c "rm -rf \"$1\" && cpack --config \"$2\" -B \"$1\" >\"$1.log\" 2>&1 \
                        || { cat \"$1.log\"; exit 1; }; \"$3\" \"$1\"/vantrel_*.deb \"$4\""
                 sh ${package_work} ${CMAKE_BINARY_DIR}/CPackConfig.cmake
                 ${PROJECT_SOURCE_DIR}/dist/check-deb.sh ${VANTREL_APP_ID})
# Both install the whole build; CPack also strips and compresses it.
set_tests_properties(install_tree install_debian_package PROPERTIES RESOURCE_LOCK install)
