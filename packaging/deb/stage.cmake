# Run by CPack on the staged tree before it is packed: adds the copyright file and the
# compressed changelog, compresses the manual page, strips the sections that CPack's strip
# leaves (as dh_strip does), and refuses a release whose changelog or AppStream data does not
# name the version being packed.
file(STRINGS ${CPACK_GLOBULE_DEB_DIR}/changelog top LIMIT_COUNT 1)
if(NOT top MATCHES "^globule \\(${CPACK_PACKAGE_VERSION}\\) ")
    message(FATAL_ERROR "packaging/deb/changelog does not begin with version "
        "${CPACK_PACKAGE_VERSION}: ${top}")
endif()
file(READ ${CPACK_GLOBULE_METAINFO} metainfo)
if(NOT metainfo MATCHES "<releases>[ \n]*<release version=\"${CPACK_PACKAGE_VERSION}\"")
    message(FATAL_ERROR "the AppStream data's newest release is not ${CPACK_PACKAGE_VERSION}")
endif()

set(usr ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
if(NOT EXISTS ${usr}/${CPACK_GLOBULE_MANDIR}/man6/globule.6)
    message(FATAL_ERROR "no manual page in the staged tree ${usr}")
endif()
find_program(GZIP gzip REQUIRED)
set(doc ${usr}/share/doc/globule)
file(MAKE_DIRECTORY ${doc})
file(COPY ${CPACK_GLOBULE_DEB_DIR}/copyright DESTINATION ${doc}
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
# -n keeps the name and time out of the header, so the same sources give the same package.
execute_process(COMMAND ${GZIP} -9n -c ${CPACK_GLOBULE_DEB_DIR}/changelog
    OUTPUT_FILE ${doc}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${GZIP} -9nf ${usr}/${CPACK_GLOBULE_MANDIR}/man6/globule.6
    COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD ${doc}/changelog.gz PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
foreach(binary ${CPACK_GLOBULE_BINARIES})
    execute_process(COMMAND ${CPACK_GLOBULE_STRIP} --remove-section=.comment
        --remove-section=.note ${usr}/${binary} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
