# The layers of the program and what each may include. A file belongs to the
# layer of the longest folder below that holds it; it may include the headers
# of the layers listed for its own, and Qt only where Qt is allowed. Tests are
# no layer and may include anything.
#
#   cmake -DROOT=<source dir> -P check_layers.cmake      checks the sources
#   cmake -DSELF_TEST=ON -DWORK=<dir> -P check_layers.cmake
#       writes a tree with one file for every include a layer must not have
#       (each layer above it, each sibling, Qt) and requires the check to
#       find every one of them, and nothing in a tree of allowed includes.

cmake_minimum_required(VERSION 3.20)

# Bottom to top. "name: may include…"; Qt marks the layers that may include Qt.
set(VELMAR_LAYERS
  "core: core"
  "gasprops: core gasprops"
  "uncertainty: core gasprops uncertainty"
  "persistence: core persistence"
  "report: core gasprops report"
  "measuring_point: core gasprops uncertainty persistence report measuring_point"
  "ui: core gasprops uncertainty persistence report measuring_point ui"
  "ui/window: core gasprops uncertainty persistence report measuring_point ui ui/window Qt"
  "cli: core gasprops uncertainty persistence report measuring_point ui ui/window cli"
  "app: core gasprops uncertainty persistence report measuring_point ui ui/window app Qt"
  "bench: core gasprops uncertainty persistence report measuring_point ui ui/window cli bench Qt"
  "fuzz: core gasprops uncertainty persistence report measuring_point ui cli fuzz")

set(names "")
foreach(entry ${VELMAR_LAYERS})
  string(REGEX MATCH "^[^:]+" name "${entry}")
  string(REGEX REPLACE "^[^:]+: *" "" allowed "${entry}")
  string(REPLACE " " ";" allowed "${allowed}")
  list(APPEND names "${name}")
  set("allowed_${name}" ${allowed})
endforeach()

# The layer of a project header named by an include ("ui/window/x.h" is in
# ui/window, "ui/x.h" in ui); empty for a header of no layer.
function(layer_of path out)
  set(best "")
  foreach(name ${names})
    string(LENGTH "${name}" n)
    string(LENGTH "${best}" b)
    if(path MATCHES "^${name}/" AND n GREATER b)
      set(best "${name}")
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

# Every include of the tree under `root` that its layer does not allow,
# one "file: include line" each.
function(check_tree root out)
  set(found "")
  foreach(name ${names})
    file(GLOB files "${root}/${name}/*.h" "${root}/${name}/*.cpp")
    foreach(f ${files})
      file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
      foreach(line ${lines})
        string(STRIP "${line}" line)
        set(bad FALSE)
        if(line MATCHES "^#[ \t]*include[ \t]*\"([^\"]+)\"")
          layer_of("${CMAKE_MATCH_1}" target)
          if(target AND NOT target IN_LIST "allowed_${name}")
            set(bad TRUE)
          endif()
        elseif(line MATCHES "^#[ \t]*include[ \t]*<(Q[A-Za-z]|qt|q[a-z]+\\.h)")
          if(NOT "Qt" IN_LIST "allowed_${name}")
            set(bad TRUE)
          endif()
        endif()
        if(bad)
          file(RELATIVE_PATH rel "${root}" "${f}")
          list(APPEND found "${rel}: ${line}")
        endif()
      endforeach()
    endforeach()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

if(SELF_TEST)
  if(NOT WORK)
    message(FATAL_ERROR "WORK (a scratch folder) is not set")
  endif()
  file(REMOVE_RECURSE "${WORK}")
  set(expected 0)
  foreach(name ${names})
    string(REPLACE "/" "_" tag "${name}")
    set(good "")
    foreach(other ${names} Qt)
      if(other STREQUAL "Qt")
        set(line "#include <QWidget>")
      else()
        set(line "#include \"${other}/header.h\"")
      endif()
      string(REPLACE "/" "_" otag "${other}")
      if(other IN_LIST "allowed_${name}")
        string(APPEND good "${line}\n")
      else()
        file(WRITE "${WORK}/bad/${name}/${tag}_includes_${otag}.cpp" "${line}\n")
        math(EXPR expected "${expected} + 1")
      endif()
    endforeach()
    file(WRITE "${WORK}/good/${name}/${tag}.cpp" "${good}#include <vector>\n")
  endforeach()
  check_tree("${WORK}/bad" bad)
  check_tree("${WORK}/good" good)
  list(LENGTH bad n)
  if(NOT n EQUAL expected OR good)
    list(JOIN bad "\n  " b)
    list(JOIN good "\n  " g)
    message(FATAL_ERROR "the layer check found ${n} of ${expected} forbidden includes:\n  ${b}\n"
                        "and refused allowed ones:\n  ${g}")
  endif()
  message(STATUS "the layer check finds all ${expected} forbidden includes and allows the rest")
  return()
endif()

if(NOT ROOT)
  message(FATAL_ERROR "ROOT (the source directory) is not set")
endif()
check_tree("${ROOT}" offenders)
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "includes of a layer above, of a sibling or of Qt where the layer has none "
                      "(docs/ARCHITECTURE.md):\n  ${text}")
endif()
message(STATUS "every include points down")
