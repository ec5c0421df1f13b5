# SPDX-License-Identifier: GPL-3.0-or-later
# Copies data/ (in.txt, the whole CMU dictionary, the inventory, the key and
# the two class folders) into the build folder, beside the executables, and
# with it every other bundled data set: each subfolder of data/ that holds
# in.txt, its text files and class folders.
file(GLOB entries RELATIVE ${SRC} ${SRC}/*.txt)
foreach(f IN LISTS entries)
  file(COPY ${SRC}/${f} DESTINATION ${DST})
endforeach()
foreach(d NaturalClasses SyllabifiedNaturalClasses)
  if(IS_DIRECTORY ${SRC}/${d})
    file(COPY ${SRC}/${d} DESTINATION ${DST})
  endif()
endforeach()
file(GLOB children LIST_DIRECTORIES true RELATIVE ${SRC} ${SRC}/*)
foreach(set IN LISTS children)
  if(IS_DIRECTORY ${SRC}/${set} AND EXISTS ${SRC}/${set}/in.txt)
    file(COPY ${SRC}/${set} DESTINATION ${DST} FILES_MATCHING PATTERN "*.txt")
  endif()
endforeach()
