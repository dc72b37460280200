# SPDX-License-Identifier: MIT
# Writes the single-file parser: every source in order, each internal header it includes in
# quotes inlined where it is first included, the public headers copied beside it; and the same
# for the instrument layer's sources, as a second file.
#
#   cmake -DSOURCES=a.cpp|b.cpp -DINSTRUMENT_SOURCES=c.cpp|... -DHEADERS=scpi.h|...
#         -DOUTPUT_DIR=dir -DVERSION=1.3.1 -P amalgamate.cmake
cmake_minimum_required(VERSION 3.16)
string(REPLACE "|" ";" SOURCES "${SOURCES}")
string(REPLACE "|" ";" HEADERS "${HEADERS}")
string(REPLACE "|" ";" INSTRUMENT_SOURCES "${INSTRUMENT_SOURCES}")
set(spdx_line "// SPDX-License-Identifier: MIT\n")
set(inlined "")

# Reads a file and replaces its quoted includes, recursively; each header comes in once.
function(expand path out_var)
  file(READ ${path} text)
  string(REPLACE "${spdx_line}" "" text "${text}")
  get_filename_component(dir ${path} DIRECTORY)
  string(REGEX MATCHALL "#include \"[^\"]+\"" includes "${text}")
  foreach(directive IN LISTS includes)
    string(REGEX REPLACE "#include \"([^\"]+)\"" "\\1" name "${directive}")
    get_filename_component(header ${dir}/${name} ABSOLUTE)
    if(header IN_LIST inlined)
      set(body "// (${name} is above)")
    else()
      list(APPEND inlined ${header})
      set(inlined "${inlined}" PARENT_SCOPE)
      expand(${header} body)
      set(body "// ---- ${name} ----\n${body}// ---- end of ${name} ----")
    endif()
    string(REPLACE "${directive}" "${body}" text "${text}")
  endforeach()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

set(out "${spdx_line}")
string(APPEND out [=[
// Orvane-SCPI Parser ]=] "${VERSION}" [=[, every source of the parser library in one file, written by the
// build (target amalgamation). Compile it as C++17 with this folder on the include path, beside
// a command table (CmdSpecs, ParamSpecs, UnitSuffixes) of your instrument:
//   c++ -std=c++17 -Os -fno-exceptions -fno-rtti -I. -c orvane_scpi.cpp
// orvane-scpi/scpi_config.h holds the options the parser is built with (tracing in or out).
]=])
foreach(source IN LISTS SOURCES)
  get_filename_component(name ${source} NAME)
  expand(${source} body)
  string(APPEND out "\n// ==== ${name} ====\n${body}")
endforeach()

file(MAKE_DIRECTORY ${OUTPUT_DIR}/orvane-scpi)
file(WRITE ${OUTPUT_DIR}/orvane_scpi.cpp.new "${out}")
file(RENAME ${OUTPUT_DIR}/orvane_scpi.cpp.new ${OUTPUT_DIR}/orvane_scpi.cpp)

set(out "${spdx_line}")
string(APPEND out [=[
// Orvane-SCPI instrument layer ]=] "${VERSION}" [=[, every source of the layer in one file, written by the
// build (target amalgamation): sessions, input, responses, error queue, status registers and the
// mandatory commands. Compile it as C++17 with this folder on the include path, and link it
// with orvane_scpi.cpp and your instrument's table:
//   c++ -std=c++17 -Os -fno-exceptions -fno-rtti -I. -c orvane_scpi_instrument.cpp
]=])
set(inlined "")
foreach(source IN LISTS INSTRUMENT_SOURCES)
  get_filename_component(name ${source} NAME)
  expand(${source} body)
  string(APPEND out "\n// ==== ${name} ====\n${body}")
endforeach()
file(WRITE ${OUTPUT_DIR}/orvane_scpi_instrument.cpp.new "${out}")
file(RENAME ${OUTPUT_DIR}/orvane_scpi_instrument.cpp.new ${OUTPUT_DIR}/orvane_scpi_instrument.cpp)
# Written afresh (not copied with their old times), so the outputs are newer than the inputs.
foreach(header IN LISTS HEADERS)
  get_filename_component(name ${header} NAME)
  file(READ ${header} text)
  file(WRITE ${OUTPUT_DIR}/orvane-scpi/${name} "${text}")
endforeach()
