// The threads library of the static runtime adds a vectored exception handler when the program
// starts and removes it when it ends; KERNEL32 exports AddVectoredExceptionHandler and
// RemoveVectoredExceptionHandler only from Windows XP on (SystemFunction.h). The handler only
// lets a thread be named for a debugger by the exception debuggers know for that, and the library
// copes with having none: it keeps the null handle, then raises no such exception unless a
// debugger is attached, and removes nothing. So on Windows 2000 the stand-ins add no handler and
// say so (null, ERROR_CALL_NOT_IMPLEMENTED), and remove none.
#include <windows.h>

#include <atomic>

#include "platform/win32/runtime/SystemFunction.h"

namespace {

using AddHandlerFunction = PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER);
using RemoveHandlerFunction = ULONG(WINAPI*)(PVOID);

PVOID WINAPI addNoHandler(ULONG, PVECTORED_EXCEPTION_HANDLER) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return nullptr;
}

ULONG WINAPI removeNoHandler(PVOID) { return 0; }

std::atomic<AddHandlerFunction> chosenAdd{nullptr};
std::atomic<RemoveHandlerFunction> chosenRemove{nullptr};

PVOID WINAPI addHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
    return hastelyn::win32::kernelFunction(chosenAdd, "AddVectoredExceptionHandler", &addNoHandler)(first, handler);
}

ULONG WINAPI removeHandler(PVOID handle) {
    return hastelyn::win32::kernelFunction(chosenRemove, "RemoveVectoredExceptionHandler", &removeNoHandler)(handle);
}

}  // namespace

extern "C" {
AddHandlerFunction hastelynAddVectoredExceptionHandlerSlot
    __asm__(HASTELYN_IMPORT_SLOT(AddVectoredExceptionHandler, 8)) = &addHandler;
RemoveHandlerFunction hastelynRemoveVectoredExceptionHandlerSlot
    __asm__(HASTELYN_IMPORT_SLOT(RemoveVectoredExceptionHandler, 4)) = &removeHandler;
}
