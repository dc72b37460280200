# SPDX-License-Identifier: MIT
# The records harness built for the host, the reference the emulated Cortex-M images are
# compared with (scripts/firmware-compare.sh), and the comparison as tests: the real one on the
# emulated M4 and M0 (the records, then the power supply's transcript against psu-sim), and one
# with a fault planted in the M0 records image, which must be caught; and the runner's time limit.
# They need the Arm toolchain and qemu-system-arm; without them they are skipped.
add_executable(records ${CMAKE_CURRENT_LIST_DIR}/records.c)
target_include_directories(records PRIVATE ${PROJECT_SOURCE_DIR}/commands)
target_link_libraries(records PRIVATE scpi_demo)

foreach(test IN ITEMS firmware_compare firmware_records_planted)
  set(arguments cortex-m4 cortex-m0)
  if(test STREQUAL "firmware_records_planted")
    set(arguments --planted cortex-m0)
  endif()
  add_test(NAME ${test}
    COMMAND ${CMAKE_COMMAND} -E env ORVANE_HOST_BUILD_DIR=${CMAKE_BINARY_DIR}
            ${PROJECT_SOURCE_DIR}/scripts/firmware-compare.sh ${arguments})
  # The two share the Arm build folders of the presets.
  set_tests_properties(${test} PROPERTIES LABELS firmware SKIP_RETURN_CODE 77
    RESOURCE_LOCK orvane_cortex_m_builds TIMEOUT 600)
endforeach()
set_tests_properties(firmware_records_planted PROPERTIES
  PASS_REGULAR_EXPRESSION "records on cortex-m0 \\(library rules\\) differ from the host's")
# An image that never ends (its input never does) is stopped and reported.
add_test(NAME firmware_run_timeout COMMAND bash -c
  "command -v qemu-system-arm >/dev/null || exit 77
   yes '*cls' | ORVANE_FIRMWARE_TIMEOUT=1 '${PROJECT_SOURCE_DIR}/scripts/firmware-run.sh' cortex-m0 records >/dev/null
   echo \"exit status \${PIPESTATUS[1]}\"")
set_tests_properties(firmware_run_timeout PROPERTIES LABELS firmware SKIP_RETURN_CODE 77
  RESOURCE_LOCK orvane_cortex_m_builds
  PASS_REGULAR_EXPRESSION "stopped after 1 s without ending\nexit status 124")
