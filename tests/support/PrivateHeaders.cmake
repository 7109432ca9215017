# Fails when a file outside the drawing layer (platform/graphics), the
# windowing layer (platform/windows, platform/forms) and the test helpers
# (tests/support) includes a private header of the drawing layer: everything
# else draws through HDC and the classic calls, so that the classic raster
# rules hold for every pixel.  Run by CTest: cmake -DROOT=<source> -P this.
set(Private "platform/graphics/(GdiObjects|DeviceContext)\\.h")
set(Allowed "^(platform/graphics|platform/windows|platform/forms|tests/support)/")
file(GLOB_RECURSE Files RELATIVE ${ROOT}
     ${ROOT}/app/*.h ${ROOT}/app/*.cpp ${ROOT}/bench/*.h ${ROOT}/bench/*.cpp
     ${ROOT}/controls/*.h ${ROOT}/controls/*.cpp ${ROOT}/platform/*.h ${ROOT}/platform/*.cpp
     ${ROOT}/sysinfo/*.h ${ROOT}/sysinfo/*.cpp ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp)
set(Offenders "")
foreach(F IN LISTS Files)
  if(F MATCHES "${Allowed}")
    continue()
  endif()
  file(STRINGS ${ROOT}/${F} Hits REGEX "#include \"${Private}\"")
  if(Hits)
    list(APPEND Offenders ${F})
  endif()
endforeach()
if(Offenders)
  list(JOIN Offenders "\n  " Text)
  message(FATAL_ERROR "Private drawing-layer headers included outside the drawing and windowing layers:\n  ${Text}")
endif()
