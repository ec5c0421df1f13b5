# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a man page from a program's --help: the usage as SYNOPSIS, the rest
# as DESCRIPTION, then the sections of EXTRA (roff, written by hand).
# cmake -DEXE=... -DNAME=... -DVERSION=... -DEXTRA=... -DOUT=... -P ManPage.cmake
execute_process(COMMAND ${EXE} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${EXE} --help failed: ${status}")
endif()
file(READ ${EXTRA} extra)
# The first line of EXTRA is the one-line summary for NAME.
string(FIND "${extra}" "\n" newline)
string(SUBSTRING "${extra}" 0 ${newline} summary)
math(EXPR rest_start "${newline} + 1")
string(SUBSTRING "${extra}" ${rest_start} -1 extra)

string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
# The folder line says where this copy runs: it belongs to the running
# program, not to the page.
string(REGEX REPLACE "(^|\n)Program folder:[^\n]*" "" help "${help}")
# A line may not begin with a control character of roff.
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
set(body "${help}")
string(TOUPPER "${NAME}" upper)
file(WRITE ${OUT}
".TH ${upper} 1 \"\" \"Velmora ${VERSION}\" \"User Commands\"
.SH NAME
${NAME} \\- ${summary}
.SH SYNOPSIS AND OPTIONS
.nf
${body}.fi
${extra}")
