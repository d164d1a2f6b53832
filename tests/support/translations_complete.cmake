# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tavolix developers
# Reads the sources again into a copy of the English translation: a text of the
# game that has no English (new, or changed since it was translated) fails.
#   cmake -DLUPDATE=... -DTS=... -DSOURCE_DIR=... -DWORK=... -P translations_complete.cmake
file(MAKE_DIRECTORY ${WORK})
file(COPY_FILE ${TS} ${WORK}/check.ts)
execute_process(
  COMMAND ${LUPDATE} game dialogs table app -extensions cpp,h -no-obsolete -ts ${WORK}/check.ts
  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${out}${err}")
endif()
file(READ ${WORK}/check.ts ts)
string(REGEX MATCHALL "<source>[^<]*(<byte[^>]*>[^<]*)*</source>[ \t\r\n]*<translation type=\"unfinished\"" missing "${ts}")
string(REGEX MATCHALL "<translation></translation>" empty "${ts}")
list(LENGTH missing n)
list(LENGTH empty e)
if(n GREATER 0 OR e GREATER 0)
  string(REPLACE ";" "\n" missing "${missing}")
  message(FATAL_ERROR "${n} texts have no English translation and ${e} an empty one; "
    "run `cmake --build build --target update_translations` and translate them in "
    "assets/translations/tavolix_en.ts:\n${missing}")
endif()
