# SPDX-License-Identifier: GPL-3.0-or-later
# dorvane_embed_resources(TARGET LIST)
# Turns a resource list into an object library: the files go into the binary with
# the assembler's .incbin (fast, no giant array literals), and a small C++ table
# names them. List lines are "TYPE name path", the path relative to the list's
# folder; blank lines and lines starting with # are skipped.
function(dorvane_embed_resources target list)
  get_filename_component(base ${list} DIRECTORY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list})
  file(STRINGS ${list} lines)
  set(asm "# Generated from ${list}; do not edit.\n.section .rodata.dorvane_resources,\"a\"\n")
  set(decls "")
  set(rows "")
  set(files "")
  set(i 0)
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(NOT line MATCHES "^([A-Za-z0-9_]+)[ \t]+([A-Za-z0-9_.@-]+)[ \t]+([^ \t]+)$")
      message(FATAL_ERROR "${list}: cannot read resource line '${line}'")
    endif()
    set(type ${CMAKE_MATCH_1})
    set(name ${CMAKE_MATCH_2})
    set(path ${base}/${CMAKE_MATCH_3})
    if(NOT EXISTS ${path})
      message(FATAL_ERROR "${list}: resource file ${path} does not exist")
    endif()
    list(APPEND files ${path})
    set(sym dorvane_res_${target}_${i})
    string(APPEND asm ".balign 16\n.global ${sym}\n${sym}:\n.incbin \"${path}\"\n.global ${sym}_end\n${sym}_end:\n")
    string(APPEND decls "extern \"C\" const unsigned char ${sym}[], ${sym}_end[];\n")
    string(APPEND rows "    {\"${type}\", \"${name}\", ${sym}, ${sym}_end},\n")
    math(EXPR i "${i} + 1")
  endforeach()
  string(APPEND asm ".section .note.GNU-stack,\"\",@progbits\n")
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target})
  file(CONFIGURE OUTPUT ${out}/resources.S CONTENT "${asm}" @ONLY)
  file(CONFIGURE OUTPUT ${out}/resource_table.cpp CONTENT
"// Generated from ${list}; do not edit.
#include \"platform/resources.h\"
${decls}
namespace dorvane::platform {
namespace {
const ResourceEntry kEntries[] = {
${rows}    {nullptr, nullptr, nullptr, nullptr},
};
}
const ResourceEntry* const kResourceTable = kEntries;
const std::size_t kResourceCount = ${i};
}
" @ONLY)
  set_source_files_properties(${out}/resources.S PROPERTIES OBJECT_DEPENDS "${files}")
  add_library(${target} OBJECT ${out}/resources.S ${out}/resource_table.cpp)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src)
endfunction()
