# SPDX-License-Identifier: MIT
# What the test scripts run with cmake -P share: running a step, and blocks of the manual's
# library chapter (the C example's output, a small table) that the scripts check.

# Runs a command; a non-zero status fails the script with its output. Sets run_output.
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

# Sets out_var to the block of the manual's library chapter that follows the text intro (which
# ends with the block's opening fence), up to its closing fence.
function(manual_block source_dir intro out_var)
  file(READ ${source_dir}/docs/manual/07-library.md manual)
  string(FIND "${manual}" "${intro}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the manual no longer shows the block after \"${intro}\"")
  endif()
  string(LENGTH "${intro}" intro_length)
  math(EXPR at "${at} + ${intro_length}")
  string(SUBSTRING "${manual}" ${at} -1 shown)
  string(FIND "${shown}" "```" end)
  string(SUBSTRING "${shown}" 0 ${end} shown)
  set(${out_var} "${shown}" PARENT_SCOPE)
endfunction()

# Sets out_var to what the manual says the C example prints for its default line.
function(manual_c_example_output source_dir out_var)
  manual_block(${source_dir} "For the default line it prints:\n\n```\n" shown)
  set(${out_var} "${shown}" PARENT_SCOPE)
endfunction()
