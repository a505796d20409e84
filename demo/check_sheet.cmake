# Checks the demo tile sheet with ImageMagick's identify: 640 x 1600 pixels,
# 8 bits, a 256-entry colour map (PseudoClass).
execute_process(COMMAND ${IDENTIFY} -format "%w %h %z %r %[colors]\n" ${SHEET}
  OUTPUT_VARIABLE out RESULT_VARIABLE rc)
execute_process(COMMAND ${IDENTIFY} -verbose ${SHEET} OUTPUT_VARIABLE verbose RESULT_VARIABLE rc2)
if(NOT rc EQUAL 0 OR NOT rc2 EQUAL 0)
  message(FATAL_ERROR "identify failed on ${SHEET}")
endif()
message(STATUS "identify: ${out}")
if(NOT out MATCHES "^640 1600 8 PseudoClass")
  message(FATAL_ERROR "unexpected sheet geometry or class: ${out}")
endif()
if(NOT verbose MATCHES "Colormap entries: 256")
  message(FATAL_ERROR "the sheet does not carry a 256-entry colour map")
endif()
