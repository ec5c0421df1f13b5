# SPDX-License-Identifier: GPL-3.0-or-later
# Copies data/ (in.txt, the whole CMU dictionary, the inventory, the key and
# the two class folders) into
# the build folder, beside the executables.
file(GLOB entries RELATIVE ${SRC} ${SRC}/*.txt)
foreach(f IN LISTS entries)
  file(COPY ${SRC}/${f} DESTINATION ${DST})
endforeach()
foreach(d NaturalClasses SyllabifiedNaturalClasses)
  if(IS_DIRECTORY ${SRC}/${d})
    file(COPY ${SRC}/${d} DESTINATION ${DST})
  endif()
endforeach()
