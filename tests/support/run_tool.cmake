# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tavolix developers
# Runs TOOL with ARGS and fails on a non-zero exit, or on any output on
# standard error when QUIET is set; a missing tool names the Debian package
# that brings it.
#   cmake -DTOOL=... -DPACKAGE=... "-DARGS=a;b" [-DQUIET=ON] -P run_tool.cmake
if(NOT TOOL OR NOT EXISTS "${TOOL}")
  message(FATAL_ERROR "the tool for this test is missing: install the Debian package ${PACKAGE}")
endif()
execute_process(COMMAND ${TOOL} ${ARGS} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("${out}${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${TOOL} exited with ${rc}")
endif()
if(QUIET AND NOT err STREQUAL "")
  message(FATAL_ERROR "${TOOL} warned: ${err}")
endif()
if(EXPECT AND NOT out MATCHES "${EXPECT}")
  message(FATAL_ERROR "the output does not match '${EXPECT}'")
endif()
