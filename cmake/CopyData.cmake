# Copies data/ (in.txt, the inventory, the key and the two class folders) into
# the build folder, beside the executables. Files the user changed there are
# replaced only when the bundled copy is newer.
file(GLOB entries RELATIVE ${SRC} ${SRC}/*.txt)
foreach(f IN LISTS entries)
  if(NOT f STREQUAL "cmudict-full.txt")
    file(COPY ${SRC}/${f} DESTINATION ${DST})
  endif()
endforeach()
foreach(d NaturalClasses SyllabifiedNaturalClasses)
  if(IS_DIRECTORY ${SRC}/${d})
    file(COPY ${SRC}/${d} DESTINATION ${DST})
  endif()
endforeach()
