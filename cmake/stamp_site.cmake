# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# Makes the site in SITE from its files in IN, every one stamped with the
# build: a stamp derived from what IN holds, so that it changes whenever any
# file does. The page's files carry it where they say @BUILD@, the module
# in a custom section "brontix-build", so that a page can tell whether all
# its files are one build's; the icons, like every file, go into the
# stamp. SITE/sw.js, from TEMPLATE, precaches the site under a cache named
# after it.
#   cmake -DIN=... -DSITE=... -DTEMPLATE=.../sw.js -DOBJCOPY=llvm-objcopy -P stamp_site.cmake
cmake_policy(VERSION 3.20)
get_filename_component(IN ${IN} ABSOLUTE)
get_filename_component(SITE ${SITE} ABSOLUTE)
file(GLOB files RELATIVE ${IN} ${IN}/*)
list(SORT files)
set(digests "")
foreach(f IN LISTS files)
  file(SHA256 ${IN}/${f} digest)
  string(APPEND digests "${f} ${digest}\n")
endforeach()
file(SHA256 ${TEMPLATE} digest)
string(APPEND digests "sw.js ${digest}\n")
string(SHA256 stamp "${digests}")
string(SUBSTRING ${stamp} 0 16 BUILD)

# Nothing of an older build stays beside the new one.
file(GLOB old ${SITE}/*)
if(old)
  file(REMOVE ${old})
endif()
file(MAKE_DIRECTORY ${SITE})
set(FILES "'./'")
foreach(f IN LISTS files)
  string(APPEND FILES ", './${f}'")
  if(f MATCHES "\\.(html|js|css|webmanifest)$")
    file(READ ${IN}/${f} text)
    string(REPLACE "@BUILD@" "${BUILD}" text "${text}")
    file(WRITE ${SITE}/${f} "${text}")
  elseif(f MATCHES "\\.wasm$")
    file(WRITE ${SITE}/stamp.tmp "${BUILD}")
    execute_process(COMMAND ${OBJCOPY} --add-section brontix-build=${SITE}/stamp.tmp ${IN}/${f} ${SITE}/${f}
                    RESULT_VARIABLE failed)
    file(REMOVE ${SITE}/stamp.tmp)
    if(failed)
      message(FATAL_ERROR "cannot stamp ${f}")
    endif()
  else()
    file(COPY ${IN}/${f} DESTINATION ${SITE})
  endif()
endforeach()
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
