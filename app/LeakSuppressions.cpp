// Built into the sanitizer build only: the leaks LeakSanitizer is not to report, those of system
// libraries the program does not control. Built in rather than read from a file, so a run finds
// them wherever the program lives and whoever runs it.

extern "C" const char* __lsan_default_suppressions()
{
    // Qt reaches the session bus through libdbus, which keeps an allocation to the end.
    return "leak:libdbus-1.so\n";
}
