#pragma once
// The static runtime imports a few KERNEL32 functions that the oldest editions the programs are
// made for do not export; imported, any one of them keeps a program from starting there ("entry
// point not found"). Their import slots are defined in this folder, so that the linker takes them
// instead of KERNEL32's: each points to a stand-in that calls the system's function where KERNEL32
// has it, and otherwise does what the older edition allows.
//
// These files are compiled into every program that links the Win32 backend, as objects of their
// own (not taken from a library, where the linker would look only after KERNEL32 had already
// served the slots).
#include <windows.h>

#include <atomic>

namespace hastelyn::win32 {

// KERNEL32's function of that name, or the fallback where KERNEL32 has none: looked up on the
// first call and kept. The choice is constant (null) before then, so that it works while the
// runtime starts, before any constructor has run.
template <typename Function>
Function kernelFunction(std::atomic<Function>& chosen, const char* name, Function fallback) {
    Function function = chosen.load(std::memory_order_acquire);
    if (function != nullptr) return function;
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC system = kernel != nullptr ? GetProcAddress(kernel, name) : nullptr;
    function = system != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(system)) : fallback;
    chosen.store(function, std::memory_order_release);
    return function;
}

}  // namespace hastelyn::win32

// An import slot's name: 32-bit names carry the call's argument bytes.
#if defined(__i386__)
#define HASTELYN_IMPORT_SLOT(name, argumentBytes) "__imp__" #name "@" #argumentBytes
#else
#define HASTELYN_IMPORT_SLOT(name, argumentBytes) "__imp_" #name
#endif
