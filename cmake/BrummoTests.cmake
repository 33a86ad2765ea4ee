# Every test runs in the same surroundings, whoever starts ctest from whatever shell (a preset, a
# bare `ctest --test-dir build`, `env -i`): no window on the caller's screen, no sound from the
# caller's speakers, the committed music and sounds of this source tree, and a home folder of the
# tests' own, so that neither the caller's settings (a font configuration changes what fits into a
# label) nor their absence on a fresh machine changes a result. A test's own settings come after
# these and win.
set(brummo_test_home ${CMAKE_BINARY_DIR}/test-home)
# Qt and the sound servers want a runtime folder that only its owner may enter.
set(brummo_test_runtime ${CMAKE_BINARY_DIR}/test-runtime)
file(MAKE_DIRECTORY ${brummo_test_home} ${brummo_test_runtime})
file(CHMOD ${brummo_test_runtime} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(brummo_test_environment
  QT_QPA_PLATFORM=offscreen
  SDL_AUDIODRIVER=dummy
  BRUMMO_SOURCE_DIR=${PROJECT_SOURCE_DIR}
  HOME=${brummo_test_home}
  XDG_CONFIG_HOME=${brummo_test_home}/.config
  XDG_DATA_HOME=${brummo_test_home}/.local/share
  XDG_CACHE_HOME=${brummo_test_home}/.cache
  XDG_RUNTIME_DIR=${brummo_test_runtime})
if(CMAKE_CXX_FLAGS MATCHES "-fsanitize=address")
  list(APPEND brummo_test_environment
    ASAN_OPTIONS=detect_leaks=1
    LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)
endif()

# brummo_add_check(NAME name COMMAND command... [ENVIRONMENT var=value...] [LABELS label...]):
# a test in those surroundings, labelled with the folder it is defined in ("sound", "packaging")
# and any LABELS given, so that `ctest -L sound` runs a group.
function(brummo_add_check)
  cmake_parse_arguments(PARSE_ARGV 0 check "" "NAME" "COMMAND;ENVIRONMENT;LABELS")
  add_test(NAME ${check_NAME} COMMAND ${check_COMMAND})
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(environment ${brummo_test_environment} ${check_ENVIRONMENT})
  set(labels ${folder} ${check_LABELS})
  set_tests_properties(${check_NAME} PROPERTIES ENVIRONMENT "${environment}" LABELS "${labels}")
endfunction()

# Every test is named FOLDER.WHAT, its group first (`sound.apis`, `packaging.deb`), so that a name
# says where the test lives and `-R '^sound\.'` or `-L sound` finds the same tests.
#
# brummo_add_test(test_WHAT source...): one Qt Test executable test_WHAT (its source test_WHAT.cpp),
# run as the test FOLDER.WHAT and labelled "unit" besides its folder.
function(brummo_add_test target)
  if(NOT target MATCHES "^test_(.+)$")
    message(FATAL_ERROR "A Qt Test suite's target is named test_WHAT, not ${target}.")
  endif()
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(name ${folder}.${CMAKE_MATCH_1})
  add_executable(${target} ${ARGN})
  target_link_libraries(${target} PRIVATE brummo_test_support)
  brummo_add_check(NAME ${name} COMMAND ${target} LABELS unit)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
