# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# WebAssembly with Debian's clang 14, wasi-libc and libc++ for wasm32: the
# browser edition and the replay driver run by node.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# GNU ar cannot index WebAssembly objects; LLVM's archiver can.
find_program(CMAKE_AR NAMES llvm-ar-14 REQUIRED)
find_program(CMAKE_RANLIB NAMES llvm-ranlib-14 REQUIRED)
# Debian installs the WebAssembly libraries under /usr, by target name.
set(CMAKE_SYSROOT /usr)
# Debian's libc++ for wasm32 is built without exceptions.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
