# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tavolix developers
# Makes the Debian package from the build in BUILD, into WORK, twice, and
# checks that both are the same, byte for byte; then its name, its metadata,
# its contents, the hardening of its programs when the build is optimised
# (HARDENED), and what lintian says of it: no error, no warning, no pedantic
# note that its overrides do not explain.
#   cmake -DBUILD=... -DWORK=... -DCPACK=... -DVERSION=... [-DHARDENED=ON] [-DLINTIAN=...]
#         -P check_deb.cmake
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
foreach(run first second)
  file(MAKE_DIRECTORY "${WORK}/${run}")
  execute_process(COMMAND "${CPACK}" --config "${BUILD}/CPackConfig.cmake" -B "${WORK}/${run}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${out}${err}")
  endif()
  set(deb "${WORK}/${run}/tavolix_${VERSION}_${arch}.deb")
  if(NOT EXISTS "${deb}")
    file(GLOB made "${WORK}/${run}/*.deb")
    message(FATAL_ERROR "expected ${deb}, cpack made: ${made}")
  endif()
  file(SHA256 "${deb}" sum_${run})
endforeach()
if(NOT sum_first STREQUAL sum_second)
  message(FATAL_ERROR "two packages of the same build differ: ${sum_first} and ${sum_second}")
endif()
message("made twice, the same: sha256 ${sum_first}")

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
field(Recommends "qt6-translations-l10n")
field(Description "dominoes against three computer players")

execute_process(COMMAND dpkg-deb -c "${deb}" OUTPUT_VARIABLE listing)
set(expected
  ./usr/games/tavolix
  ./usr/games/tavolix-server
  ./usr/lib/systemd/system/tavolix-server.service
  ./usr/share/man/man8/tavolix-server.8.gz
  ./usr/share/doc/tavolix/protocol.md
  ./usr/share/applications/org.vantorel.Tavolix.desktop
  ./usr/share/metainfo/org.vantorel.Tavolix.metainfo.xml
  ./usr/share/icons/hicolor/scalable/apps/org.vantorel.Tavolix.svg
  ./usr/share/man/man6/tavolix.6.gz
  ./usr/share/doc/tavolix/copyright
  ./usr/share/doc/tavolix/changelog.gz
  ./usr/share/lintian/overrides/tavolix
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
# The sound and online modules, in the game's own folder of the library folder.
set(modules)
foreach(name sound online)
  if(NOT listing MATCHES " (\\./usr/lib/[^ \n]*/?tavolix/tavolix-${name}\\.so)\n")
    message(FATAL_ERROR "the ${name} module is not in the package:\n${listing}")
  endif()
  list(APPEND modules "${CMAKE_MATCH_1}")
endforeach()
# Nothing of the build's own: no tests, no simulator, no benchmarks; nothing
# outside /usr.
if(listing MATCHES "tavolix-sim|tests|bench")
  message(FATAL_ERROR "the package holds build tools:\n${listing}")
endif()
if(listing MATCHES " \\./(etc|opt|var|usr/local)/")
  message(FATAL_ERROR "the package puts files outside /usr:\n${listing}")
endif()

# The programs are stripped; optimised, they are hardened as Debian's own.
execute_process(COMMAND dpkg-deb -x "${deb}" "${WORK}/root")
foreach(program usr/games/tavolix usr/games/tavolix-server ${modules})
  set(path "${WORK}/root/${program}")
  execute_process(COMMAND readelf -S "${path}" OUTPUT_VARIABLE sections)
  if(sections MATCHES "\\.debug_info|\\.symtab")
    message(FATAL_ERROR "${program} is not stripped")
  endif()
  if(HARDENED)
    execute_process(COMMAND readelf -d -l --dyn-syms -W "${path}" OUTPUT_VARIABLE elf)
    # A module is not a program: it is position-independent by nature and
    # may call no checked function.
    set(marks "GNU_RELRO" "BIND_NOW")
    if(program MATCHES "^usr/games/")
      list(APPEND marks "__stack_chk_fail" "__[a-z_]+_chk@" "DYN \\(Position-Independent")
    endif()
    foreach(mark IN LISTS marks)
      if(NOT elf MATCHES "${mark}")
        message(FATAL_ERROR "${program} is not hardened: no ${mark}")
      endif()
    endforeach()
    if(sections MATCHES "\\.comment")
      message(FATAL_ERROR "${program} keeps the compiler's note (.comment)")
    endif()
  endif()
endforeach()
message("${deb}: ${listing}")

if(NOT LINTIAN)
  message(FATAL_ERROR "lintian is missing: install the Debian package lintian")
endif()
execute_process(COMMAND "${LINTIAN}" --pedantic --display-info --fail-on error,warning,pedantic "${deb}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("lintian --pedantic --display-info:\n${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lintian finds errors, warnings or unexplained pedantic notes (exit ${rc}):\n${out}${err}")
endif()
