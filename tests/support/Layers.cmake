# Fails when an include crosses the layers the wrong way, so that a wrong
# include fails `make test` rather than waiting for a reader to notice.
# Run by CTest: cmake -DROOT=<source> -P Layers.cmake
#
# 1. A source folder includes its own headers and those of the folders whose
#    libraries it links, directly or through them, as the qv_library lines of
#    CMakeLists.txt link them: the order inside platform is the link order.
# 2. Whatever CMakeLists.txt links: platform never includes controls,
#    sysinfo or app; sysinfo never includes controls or app; controls never
#    include app.
# 3. The drawing layer's private headers stay with the drawing layer
#    (platform/graphics), the windowing layer (platform/windows,
#    platform/forms) and the test helpers (tests/support): everything else
#    draws through HDC and the classic calls, so that the classic raster
#    rules hold for every pixel.

cmake_minimum_required(VERSION 3.25)

# --- the libraries and what each links ------------------------------------------
file(READ ${ROOT}/CMakeLists.txt Lists)
string(REGEX MATCHALL "\nqv_library\\([^)]*\\)" Calls "${Lists}")
set(Libraries "")
foreach(Call IN LISTS Calls)
  string(REGEX REPLACE "^\nqv_library\\(|\\)$" "" Args "${Call}")
  string(STRIP "${Args}" Args)
  string(REGEX REPLACE "[ \t\n]+" ";" Args "${Args}")
  list(POP_FRONT Args Library Folder)
  list(APPEND Libraries ${Library})
  set(Folder_${Library} ${Folder})
  set(Library_${Folder} ${Library})
  set(Links_${Library} ${Args})
endforeach()

# Reachable_<folder>: the folders a folder may include, itself first.
foreach(Library IN LISTS Libraries)
  set(Reached "")
  set(Queue ${Links_${Library}})
  while(Queue)
    list(POP_FRONT Queue Next)
    if(Next IN_LIST Reached OR NOT DEFINED Folder_${Next})
      continue()
    endif()
    list(APPEND Reached ${Next})
    list(APPEND Queue ${Links_${Next}})
  endwhile()
  set(Reachable_${Folder_${Library}} ${Folder_${Library}})
  foreach(Next IN LISTS Reached)
    list(APPEND Reachable_${Folder_${Library}} ${Folder_${Next}})
  endforeach()
endforeach()

# The program's own source (its main) stands on what CMakeLists.txt links
# the program with.
string(REGEX MATCH "add_executable\\(quorvy ([^ )]+)\\)" Match "${Lists}")
set(Program ${CMAKE_MATCH_1})
string(REGEX MATCH "qv_link\\(quorvy PRIVATE ([^)]+)\\)" Match "${Lists}")
string(REGEX REPLACE "[ \t\n]+" ";" ProgramLinks "${CMAKE_MATCH_1}")
set(Reachable_${Program} "")
foreach(Library IN LISTS ProgramLinks)
  list(APPEND Reachable_${Program} ${Reachable_${Folder_${Library}}})
endforeach()
list(REMOVE_DUPLICATES Reachable_${Program})

# Never, whatever the links say: <folder pattern> <pattern it must not include>.
set(Never
  "^platform/" "^(controls|sysinfo|app)/"
  "^sysinfo$" "^(controls|app)/"
  "^controls/" "^app/")

set(Offences "")

# --- 1 and 2: the folders of the program and its libraries ----------------------
file(GLOB_RECURSE Sources RELATIVE ${ROOT}
     ${ROOT}/app/*.h ${ROOT}/app/*.cpp ${ROOT}/controls/*.h ${ROOT}/controls/*.cpp
     ${ROOT}/platform/*.h ${ROOT}/platform/*.cpp ${ROOT}/sysinfo/*.h ${ROOT}/sysinfo/*.cpp)
foreach(F IN LISTS Sources)
  get_filename_component(Folder ${F} DIRECTORY)
  set(Stands ${Reachable_${Folder}})
  if(F STREQUAL Program)
    set(Stands ${Reachable_${Program}})
  elseif(NOT DEFINED Library_${Folder})
    list(APPEND Offences "${F}: its folder is not a library in CMakeLists.txt")
    continue()
  endif()
  file(STRINGS ${ROOT}/${F} Lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*/")
  foreach(Line IN LISTS Lines)
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" Header "${Line}")
    get_filename_component(Target ${Header} DIRECTORY)
    if(NOT Target IN_LIST Stands)
      list(JOIN Stands ", " Text)
      list(APPEND Offences "${F}: includes ${Header}, but stands only on ${Text}")
      continue()
    endif()
    set(Rules ${Never})
    while(Rules)
      list(POP_FRONT Rules From To)
      if(Folder MATCHES "${From}" AND "${Target}/" MATCHES "${To}")
        list(APPEND Offences "${F}: includes ${Header}, but ${Folder} never includes ${Target}")
      endif()
    endwhile()
  endforeach()
endforeach()

# --- 3: the drawing layer's private headers -------------------------------------
set(Private "platform/graphics/(GdiObjects|DeviceContext)\\.h")
set(Allowed "^(platform/graphics|platform/windows|platform/forms|tests/support)/")
file(GLOB_RECURSE Files RELATIVE ${ROOT}
     ${ROOT}/app/*.h ${ROOT}/app/*.cpp ${ROOT}/bench/*.h ${ROOT}/bench/*.cpp
     ${ROOT}/controls/*.h ${ROOT}/controls/*.cpp ${ROOT}/platform/*.h ${ROOT}/platform/*.cpp
     ${ROOT}/sysinfo/*.h ${ROOT}/sysinfo/*.cpp ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp)
foreach(F IN LISTS Files)
  if(F MATCHES "${Allowed}")
    continue()
  endif()
  file(STRINGS ${ROOT}/${F} Hits REGEX "#include \"${Private}\"")
  if(Hits)
    list(APPEND Offences "${F}: includes a private header of the drawing layer")
  endif()
endforeach()

if(Offences)
  list(JOIN Offences "\n  " Text)
  message(FATAL_ERROR "Includes across the layers the wrong way:\n  ${Text}")
endif()
