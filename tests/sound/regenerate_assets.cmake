# Runs tools/make_sounds.py into a scratch folder and compares its output with the committed
# assets, so a hand-edited sound file or a script change without new outputs is caught.
# Called as: cmake -DPYTHON=... -DSOURCE_DIR=... -DOUT_DIR=... -P regenerate_assets.cmake
file(REMOVE_RECURSE "${OUT_DIR}")
file(MAKE_DIRECTORY "${OUT_DIR}")
execute_process(COMMAND "${PYTHON}" "${SOURCE_DIR}/tools/make_sounds.py" "${OUT_DIR}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "tools/make_sounds.py failed: ${result}")
endif()
foreach(name kol.mid crap.wav deadnow.wav)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT_DIR}/${name}" "${SOURCE_DIR}/assets/${name}"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "assets/${name} is not what tools/make_sounds.py makes; run it and commit the result")
  endif()
  message(STATUS "assets/${name} matches")
endforeach()
