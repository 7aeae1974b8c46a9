// The entry of a test program that drives dialogs on the Win32 backend: GoogleTest runs once the
// common controls are ready, as the program's dialogs run inside AfxWinMain.
#include "framework/win32/WindowsApi.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
// Test code runs inside window procedures, where the system drops a fault and goes on with the
// modal loop: the dialog would stay open with nothing to drive it, and the run would hang. The
// program ends at once instead, saying where.
LONG CALLBACK endOnFault(EXCEPTION_POINTERS* exception)
{
    switch (exception->ExceptionRecord->ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
        std::fprintf(stderr, "fault 0x%08lx at %p; ending the test program\n",
                     exception->ExceptionRecord->ExceptionCode,
                     exception->ExceptionRecord->ExceptionAddress);
        std::fflush(stdout);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
        return EXCEPTION_CONTINUE_SEARCH;
    default:
        return EXCEPTION_CONTINUE_SEARCH;
    }
}
} // namespace

int main(int argc, char* argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    AddVectoredExceptionHandler(TRUE, endOnFault);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    if (!InitCommonControlsEx(&controls)) {
        std::fprintf(stderr, "the common controls are not available\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
