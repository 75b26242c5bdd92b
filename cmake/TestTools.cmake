# Finds the programs and files that a group of tests needs, and turns the tests of a missing
# tool into skipped tests that name the Debian package to install, so that configuring with
# tests on never fails for want of a test tool.
#
#   mukiro_find_test_tools(<group>
#       [PROGRAMS <program> <debian-package> [<program> <debian-package> ...]]
#       [FILES <path> <debian-package> [<path> <debian-package> ...]])
#
# Sets, in the caller's scope:
#   <group>_FOUND            TRUE when every program and file is there, FALSE otherwise
#   <group>_MISSING          when not found: "needs <what> (Debian package <package>), ..."
#   MUKIRO_TOOL_<program>    the full path of each program found (the program's own name, with
#                            anything but letters, digits and '_' turned into '_')
# and prints the missing packages once at configure time.
#
#   mukiro_skip_tests(<group> <test-name> [<test-name> ...] [LABELS <label> ...])
#
# Registers each name as a test that only prints "Skipped: <group> <group>_MISSING" and is
# reported as skipped, so the run lists what it could not check and why.
#
# A browser test, for example:
#
#   include(TestTools)
#   mukiro_find_test_tools(browser PROGRAMS chromium chromium node nodejs emcc emscripten)
#   if(browser_FOUND)
#     add_test(NAME browser.page_plays COMMAND ${MUKIRO_TOOL_node} page-test.mjs
#              --browser ${MUKIRO_TOOL_chromium})
#     set_tests_properties(browser.page_plays PROPERTIES LABELS browser)
#   else()
#     mukiro_skip_tests(browser browser.page_plays LABELS browser)
#   endif()
#
# Programs are looked up again at every configure while missing, so installing the package and
# configuring again (make test does) brings the tests back.
include_guard(GLOBAL)

function(mukiro_find_test_tools group)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PROGRAMS;FILES")
  set(missing "")
  set(missing_packages "")

  list(LENGTH arg_PROGRAMS program_words)
  math(EXPR odd "${program_words} % 2")
  list(LENGTH arg_FILES file_words)
  math(EXPR odd_files "${file_words} % 2")
  if(odd OR odd_files)
    message(FATAL_ERROR "mukiro_find_test_tools(${group}): give each program or file a package")
  endif()

  while(arg_PROGRAMS)
    list(POP_FRONT arg_PROGRAMS program package)
    string(MAKE_C_IDENTIFIER "${program}" program_id)
    find_program(MUKIRO_TOOL_${program_id} ${program})
    if(MUKIRO_TOOL_${program_id})
      set(MUKIRO_TOOL_${program_id} "${MUKIRO_TOOL_${program_id}}" PARENT_SCOPE)
    else()
      list(APPEND missing "${program} (Debian package ${package})")
      list(APPEND missing_packages ${package})
    endif()
  endwhile()

  while(arg_FILES)
    list(POP_FRONT arg_FILES path package)
    if(NOT EXISTS "${path}")
      list(APPEND missing "${path} (Debian package ${package})")
      list(APPEND missing_packages ${package})
    endif()
  endwhile()

  if(missing)
    list(JOIN missing ", " missing_text)
    list(REMOVE_DUPLICATES missing_packages)
    list(JOIN missing_packages " " install_text)
    set(${group}_FOUND FALSE PARENT_SCOPE)
    set(${group}_MISSING "needs ${missing_text}" PARENT_SCOPE)
    message(STATUS "Skipping the ${group} tests: they need ${missing_text}. "
                   "Install with: apt install ${install_text}")
  else()
    set(${group}_FOUND TRUE PARENT_SCOPE)
    set(${group}_MISSING "" PARENT_SCOPE)
  endif()
endfunction()

function(mukiro_skip_tests group)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LABELS")
  if(NOT arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "mukiro_skip_tests(${group}): name at least one test")
  endif()
  foreach(name IN LISTS arg_UNPARSED_ARGUMENTS)
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "Skipped: ${group} ${${group}_MISSING}")
    set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "^Skipped: ")
    if(arg_LABELS)
      set_tests_properties(${name} PROPERTIES LABELS "${arg_LABELS}")
    endif()
  endforeach()
endfunction()
