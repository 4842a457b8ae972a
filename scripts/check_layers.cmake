# The layer check: fails when a folder includes a header of a higher layer, when anything
# includes another folder's private header, or when folders of one layer include each other
# in a circle. Run by ctest (test "layers"); by hand: cmake -DROOT=<checkout> -P check_layers.cmake
#
# Layers, lowest first (a folder may include its own headers, the public headers in
# include/zelsheet/, and the interface headers of lower layers, i.e. those directly in
# src/<folder>/; headers in src/<folder>/internal/ are that folder's own):
#   0 text   1 platform   2 grid   3 columns, sheet
#   4 exchange, editing, validation, settings, tools, store   5 apps (demo, server, tui)
# The public headers include no folder's headers. Tests of a folder (tests/<folder>/) count
# as that folder; the test helpers (tests/support) and the benchmarks sit on top.
cmake_minimum_required(VERSION 3.25)

set(layer_text 0)
set(layer_platform 1)
set(layer_grid 2)
set(layer_columns 3)
set(layer_sheet 3)
foreach(f exchange editing validation settings tools store)
  set(layer_${f} 4)
endforeach()
foreach(f demo server tui)
  set(layer_${f} 5)
endforeach()
set(layer_support 6)
set(layer_bench 6)
set(layer_public -1)  # include/zelsheet: may include no folder at all

if(NOT ROOT)
  get_filename_component(ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
endif()

file(GLOB_RECURSE files RELATIVE "${ROOT}"
     "${ROOT}/src/*.h" "${ROOT}/src/*.cpp" "${ROOT}/store/*.h" "${ROOT}/store/*.cpp"
     "${ROOT}/apps/*.h" "${ROOT}/apps/*.cpp" "${ROOT}/tests/*.h" "${ROOT}/tests/*.cpp"
     "${ROOT}/bench/*.cpp" "${ROOT}/include/zelsheet/*.h")

set(problems "")
set(edges "")
foreach(file IN LISTS files)
  # The folder a file belongs to.
  string(REPLACE "/" ";" parts "${file}")
  list(GET parts 0 top)
  list(LENGTH parts depth)
  set(folder "")
  if(top STREQUAL "src" OR top STREQUAL "apps" OR top STREQUAL "tests")
    if(depth GREATER 2)
      list(GET parts 1 folder)
    endif()
  elseif(top STREQUAL "store" OR top STREQUAL "bench")
    set(folder "${top}")
  elseif(top STREQUAL "include")
    set(folder "public")
  endif()
  if(folder STREQUAL "" OR NOT DEFINED layer_${folder})
    continue()
  endif()

  file(STRINGS "${ROOT}/${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "\"([a-z_]+)/([^\"]*)\"")
      continue()
    endif()
    set(target "${CMAKE_MATCH_1}")
    set(rest "${CMAKE_MATCH_2}")
    if(target STREQUAL "zelsheet" OR target STREQUAL folder OR NOT DEFINED layer_${target})
      continue()
    endif()
    if(target STREQUAL "support" AND top STREQUAL "tests")
      continue()  # the test helpers serve every folder's tests
    endif()
    if(rest MATCHES "^internal/")
      string(APPEND problems "  ${file}: includes ${target}/${rest}, a private header of ${target}\n")
    elseif(folder STREQUAL "public")
      string(APPEND problems "  ${file}: a public header includes ${target}/${rest}\n")
    elseif(layer_${target} GREATER layer_${folder})
      string(APPEND problems "  ${file}: includes ${target}/${rest}, from a higher layer\n")
    elseif(layer_${target} EQUAL layer_${folder})
      list(APPEND edges "${folder}>${target}")
      list(APPEND via_${folder}_${target} "${file}")
    endif()
  endforeach()
endforeach()

# Folders of one layer may use each other one way only: no circle of any length.
list(REMOVE_DUPLICATES edges)
set(nodes "")
foreach(e IN LISTS edges)
  string(REPLACE ">" ";" ab "${e}")
  list(GET ab 0 a)
  list(GET ab 1 b)
  list(APPEND next_${a} "${b}")
  list(APPEND nodes "${a}")
endforeach()
list(REMOVE_DUPLICATES nodes)
foreach(start IN LISTS nodes)
  set(seen "")
  set(frontier ${next_${start}})
  while(frontier)
    list(POP_FRONT frontier n)
    if(n STREQUAL start)
      string(APPEND problems "  folders include each other in a circle through ${start}")
      foreach(b IN LISTS next_${start})
        list(GET via_${start}_${b} 0 example)
        string(APPEND problems " (${start} -> ${b}: ${example})")
      endforeach()
      string(APPEND problems "\n")
      break()
    endif()
    if(NOT n IN_LIST seen)
      list(APPEND seen "${n}")
      list(APPEND frontier ${next_${n}})
    endif()
  endwhile()
endforeach()

if(problems)
  message(FATAL_ERROR "layer check failed:\n${problems}")
endif()
list(LENGTH files count)
message(STATUS "layer check: ${count} files follow the layers")
