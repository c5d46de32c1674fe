# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Mends the JavaScript that emscripten 3.1.69 writes for embind (cmake -DSCRIPT=tirel.js
# -P WebEmbindAsyncify.cmake). Its generated callers treat any suspension in flight as their own:
# a call into the program while a message box waits suspended (a key press, the browser's copy
# event) would then wait for the box's suspension too and stop the page ("Cannot have multiple
# async operations in flight at once"). A caller now waits only for a suspension its own call
# began. Any other shape of that code stops the build: the mend must then be reviewed.
file(READ "${SCRIPT}" js)
string(FIND "${js}" "asyncBefore" done)
if(NOT done EQUAL -1)
  return()
endif()
set(call [[invokerFnBody+=(returns||isAsync?"var rv = ":"")+`invoker(]])
set(wait [[return Asyncify.currData ? Asyncify.whenDone().then(onDone)]])
foreach(piece call wait)
  string(FIND "${js}" "${${piece}}" first)
  string(FIND "${js}" "${${piece}}" last REVERSE)
  if(first EQUAL -1 OR NOT first EQUAL last)
    message(FATAL_ERROR "${SCRIPT}: emscripten's embind caller is not as expected; review this fix")
  endif()
endforeach()
string(REPLACE "${call}" [[invokerFnBody+="var asyncBefore = Asyncify.currData;\n"+(returns||isAsync?"var rv = ":"")+`invoker(]] js "${js}")
string(REPLACE "${wait}" [[return Asyncify.currData && Asyncify.currData !== asyncBefore ? Asyncify.whenDone().then(onDone)]] js "${js}")
file(WRITE "${SCRIPT}" "${js}")
