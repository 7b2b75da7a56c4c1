// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// WebAssembly's C++ library is built without exceptions: an allocation that
// fails would hand back null, and the program would write through it. Here
// it ends the program instead, with the line and status the native build
// gives (BRONTIX_PROGRAM names the program).
#include <cstdio>
#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
    if (void* p = std::malloc(size > 0 ? size : 1)) return p;
    std::fflush(stdout);
    std::fputs(BRONTIX_PROGRAM ": out of memory\n", stderr);
    std::_Exit(2);
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size > 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size > 0 ? size : 1);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
