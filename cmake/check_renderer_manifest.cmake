# cmake -DRC=<windres> -DPROGRAM=<file> -P check_renderer_manifest.cmake
# Fails when the program carries a manifest that declares Windows 8 or later. Windows refuses display
# modes under 32 bits to such programs instead of emulating them, and the renderer's 16-bit mode
# would turn into a captioned window on every current PC. Some MinGW distributions link a default
# manifest that declares exactly that.
execute_process(COMMAND ${RC} -i ${PROGRAM} -O rc OUTPUT_VARIABLE resources RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot read the resources of ${PROGRAM}")
endif()
string(TOLOWER "${resources}" resources)
# supportedOS ids of Windows 8, 8.1 and 10/11.
foreach(id 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78
           8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a)
  string(FIND "${resources}" "${id}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${PROGRAM} carries a manifest declaring Windows 8 or later ({${id}}): "
                        "its 16-bit display mode would be refused")
  endif()
endforeach()
