# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tavolix developers
# Makes the Debian package from the build in BUILD, into WORK, and checks its
# name, its metadata and its contents.
#   cmake -DBUILD=... -DWORK=... -DCPACK=... -DVERSION=... -P check_deb.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${CPACK}" --config "${BUILD}/CPackConfig.cmake" -B "${WORK}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${out}${err}")
endif()
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(deb "${WORK}/tavolix_${VERSION}_${arch}.deb")
if(NOT EXISTS "${deb}")
  file(GLOB made "${WORK}/*.deb")
  message(FATAL_ERROR "expected ${deb}, cpack made: ${made}")
endif()

function(field name expected)
  execute_process(COMMAND dpkg-deb -f "${deb}" ${name} OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT value MATCHES "${expected}")
    message(FATAL_ERROR "${name}: '${value}' does not match '${expected}'")
  endif()
  message("${name}: ${value}")
endfunction()
field(Package "^tavolix$")
field(Version "^${VERSION}$")
field(Architecture "^${arch}$")
field(Section "^games$")
# The libraries found by dpkg-shlibdeps, with their versions.
field(Depends "libqt6widgets6 \\(>= [0-9]")
field(Depends "libqt6multimedia6 \\(>= [0-9]")
field(Depends "libc6 \\(>= [0-9]")
field(Depends "libqt6websockets6 \\(>= [0-9]")
field(Recommends "fonts-liberation2")
field(Description "dominoes against three computer players")

execute_process(COMMAND dpkg-deb -c "${deb}" OUTPUT_VARIABLE listing)
set(expected
  ./usr/bin/tavolix
  ./usr/bin/tavolix-server
  ./usr/lib/systemd/system/tavolix-server.service
  ./usr/share/man/man8/tavolix-server.8.gz
  ./usr/share/doc/tavolix/protocol.md
  ./usr/share/applications/org.vantorel.Tavolix.desktop
  ./usr/share/metainfo/org.vantorel.Tavolix.metainfo.xml
  ./usr/share/icons/hicolor/scalable/apps/org.vantorel.Tavolix.svg
  ./usr/share/man/man6/tavolix.6.gz
  ./usr/share/doc/tavolix/copyright
  ./usr/share/tavolix/clic1.wav
  ./usr/share/tavolix/passou.wav
  ./usr/share/tavolix/tavolix.chm
  ./usr/share/tavolix/tavolix-en.chm
  ./usr/share/tavolix/help/index.html
  ./usr/share/tavolix/help/en/index.html)
foreach(size 16 22 32 48 64 128 256)
  list(APPEND expected ./usr/share/icons/hicolor/${size}x${size}/apps/org.vantorel.Tavolix.png)
endforeach()
foreach(path IN LISTS expected)
  string(FIND "${listing}" " ${path}\n" at)
  if(at LESS 0)
    message(FATAL_ERROR "${path} is not in the package:\n${listing}")
  endif()
endforeach()
# Nothing of the build's own: no tests, no simulator, no benchmarks.
if(listing MATCHES "tavolix-sim|tests|bench")
  message(FATAL_ERROR "the package holds build tools:\n${listing}")
endif()

# The program is stripped.
execute_process(COMMAND dpkg-deb -x "${deb}" "${WORK}/root")
foreach(program tavolix tavolix-server)
  execute_process(COMMAND readelf -S "${WORK}/root/usr/bin/${program}" OUTPUT_VARIABLE sections)
  if(sections MATCHES "\\.debug_info|\\.symtab")
    message(FATAL_ERROR "usr/bin/${program} is not stripped")
  endif()
endforeach()
message("${deb}: ${listing}")
