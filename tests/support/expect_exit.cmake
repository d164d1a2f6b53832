# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tavolix developers
# Runs PROGRAM with ARGS (a ;-list) and checks its exit code is EXIT and that
# what it printed matches OUTPUT: how the programs answer their command lines.
#   cmake -DPROGRAM=... -DARGS=... -DEXIT=2 -DOUTPUT=regex -P expect_exit.cmake
execute_process(COMMAND ${PROGRAM} ${ARGS} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code STREQUAL EXIT)
  message(FATAL_ERROR "${PROGRAM} ${ARGS}: exit code ${code}, expected ${EXIT}\n${out}${err}")
endif()
if(NOT "${out}${err}" MATCHES "${OUTPUT}")
  message(FATAL_ERROR "${PROGRAM} ${ARGS}: the output does not match '${OUTPUT}':\n${out}${err}")
endif()
