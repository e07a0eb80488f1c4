# CPack runs this after installing into its staging directory and before it builds the .deb:
# it adds what Debian wants of every package and a plain `cmake --install` leaves out, the
# copyright file and the changelog in /usr/share/doc/vek, and compresses them and the man page.
set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${root}/share/doc/${CPACK_PACKAGE_NAME}")
set(perms OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# A native package (the project packages itself) keeps its changelog as changelog.gz; one with a
# Debian revision (CPACK_DEBIAN_PACKAGE_RELEASE) as changelog.Debian.gz.
set(VEK_VERSION "${CPACK_PACKAGE_VERSION}")
set(VEK_DEB_VERSION "${CPACK_PACKAGE_VERSION}")
set(changelog "${doc}/changelog")
if(CPACK_DEBIAN_PACKAGE_RELEASE)
  string(APPEND VEK_DEB_VERSION "-${CPACK_DEBIAN_PACKAGE_RELEASE}")
  set(changelog "${doc}/changelog.Debian")
endif()
set(VEK_DEB_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# The packaging time, or SOURCE_DATE_EPOCH when that is set (a reproducible build).
string(TIMESTAMP VEK_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(MAKE_DIRECTORY "${doc}")
configure_file("${CPACK_VEK_DEBIAN_DIR}/changelog.in" "${changelog}" @ONLY)
file(COPY_FILE "${CPACK_VEK_DEBIAN_DIR}/copyright" "${doc}/copyright")

file(GLOB_RECURSE man_pages "${root}/share/man/*.[1-9]")
foreach(f "${changelog}" ${man_pages})
  file(CHMOD "${f}" PERMISSIONS ${perms})
  # -n: no name or time stamp in the header, so the same input gives the same bytes.
  execute_process(COMMAND gzip -9nf "${f}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(CHMOD "${doc}/copyright" PERMISSIONS ${perms})

# As dh_strip does: CPACK_STRIP_FILES strips the program, but leaves the .comment section.
if(CPACK_VEK_STRIP)
  file(GLOB programs "${root}/bin/*")
  foreach(p ${programs})
    execute_process(COMMAND "${CPACK_VEK_STRIP}" --remove-section=.comment --remove-section=.note "${p}"
      COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
