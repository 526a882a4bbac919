# Installs the build into a fresh prefix and checks the tree a desktop user gets:
# the exact file list, runnable programs, a valid desktop entry, AppStream metadata and
# man pages, a Debian package lintian passes; then that an unwritable prefix fails with
# a message naming the file.
# Run by ctest with -DBUILD=<build dir> -DSOURCE=<source dir> -DWORK=<scratch dir>.
cmake_minimum_required(VERSION 3.25)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}${err}")
  endif()
  set(out "${out}${err}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})

set(expected
  bin/plomix
  bin/plomix-cli
  libexec/plomix/plomix-cli-qt
  share/applications/org.plomix.Plomix.desktop
  share/doc/plomix/changelog.gz
  share/doc/plomix/copyright
  share/icons/hicolor/16x16/apps/plomix.png
  share/icons/hicolor/256x256/apps/plomix.png
  share/icons/hicolor/32x32/apps/plomix.png
  share/icons/hicolor/48x48/apps/plomix.png
  share/icons/hicolor/scalable/apps/plomix.svg
  share/man/man1/plomix-cli.1.gz
  share/man/man1/plomix.1.gz
  share/metainfo/org.plomix.Plomix.metainfo.xml
  share/plomix/Readme.txt)
file(GLOB_RECURSE found RELATIVE ${prefix} ${prefix}/*)
list(SORT found)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "installed tree:\n  ${found}\nexpected:\n  ${expected}")
endif()

# The installed programs run from their new place (no path into the build folder).
run(${prefix}/bin/plomix-cli --help)
if(NOT out MATCHES "Usage: plomix-cli")
  message(FATAL_ERROR "plomix-cli --help printed: ${out}")
endif()
# The front draws bars alone itself and starts the installed full program for the rest.
foreach(args "--no-text;-o;${WORK}/bars.png;490123456789" "-o;${WORK}/text.png;490123456789")
  run(${prefix}/bin/plomix-cli ${args})
endforeach()
file(READ ${SOURCE}/resources/Readme.txt source_readme HEX)
file(READ ${prefix}/share/plomix/Readme.txt installed_readme HEX)
if(NOT source_readme STREQUAL installed_readme)
  message(FATAL_ERROR "the installed Readme.txt differs from resources/Readme.txt")
endif()

# Each PNG is square at the size of its folder.
foreach(size 16 32 48 256)
  file(READ ${prefix}/share/icons/hicolor/${size}x${size}/apps/plomix.png header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 32 16 dims)
  math(EXPR want "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(REPLACE "0x" "" want "${want}")
  string(LENGTH "${want}" len)
  math(EXPR pad "8 - ${len}")
  string(REPEAT "0" ${pad} zeros)
  if(NOT dims STREQUAL "${zeros}${want}${zeros}${want}")
    message(FATAL_ERROR "icon ${size}x${size} has PNG size field ${dims}")
  endif()
endforeach()

run(desktop-file-validate ${prefix}/share/applications/org.plomix.Plomix.desktop)
if(out MATCHES "error")
  message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
run(appstreamcli validate --no-net --pedantic ${prefix}/share/metainfo/org.plomix.Plomix.metainfo.xml)
foreach(page plomix plomix-cli)
  run(man --warnings -E UTF-8 -l ${prefix}/share/man/man1/${page}.1.gz)
  if(out MATCHES "warning")
    message(FATAL_ERROR "man page ${page}: ${out}")
  endif()
endforeach()

# The Debian package of the same tree passes lintian without an error or a warning
# (skipped where lintian is not installed; scripts/install-deps installs it).
find_program(LINTIAN lintian)
if(LINTIAN)
  set(package_dir ${WORK}/package)
  run(cpack -G DEB -B ${package_dir} --config ${BUILD}/CPackConfig.cmake)
  file(GLOB deb ${package_dir}/*.deb)
  list(LENGTH deb debs)
  if(NOT debs EQUAL 1)
    message(FATAL_ERROR "cpack made ${debs} packages: ${deb}")
  endif()
  execute_process(COMMAND ${LINTIAN} --fail-on error,warning ${deb}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  # Run as root, lintian says so first; that notice is about the run, not the package.
  string(REPLACE "running with root privileges is not recommended!\n" "" err "${err}")
  if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    message(FATAL_ERROR "lintian ${deb} (status ${rc}):\n${out}${err}")
  endif()
else()
  message(STATUS "lintian is not installed: the Debian package is not checked")
endif()

# A prefix nobody can write, not even root: the install step fails and says where.
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix /proc/plomix-prefix
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "/proc/plomix-prefix")
  message(FATAL_ERROR "install into /proc/plomix-prefix: status ${rc}\n${out}${err}")
endif()
file(REMOVE_RECURSE ${WORK})
