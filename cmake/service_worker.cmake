# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# Writes SITE/sw.js from TEMPLATE: the list of the site's files to
# precache, and a version that changes whenever any of them does.
#   cmake -DSITE=... -DTEMPLATE=... -P service_worker.cmake
file(GLOB files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(digests "")
set(list "'./'")
foreach(f IN LISTS files)
  file(SHA256 ${SITE}/${f} digest)
  string(APPEND digests "${f} ${digest}\n")
  string(APPEND list ", './${f}'")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 VERSION)
set(FILES ${list})
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
