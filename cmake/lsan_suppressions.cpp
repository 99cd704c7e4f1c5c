// LeakSanitizer's suppressions, built into every program of the sanitizer
// build so that each run is judged on our own leaks: fontconfig keeps a few
// hundred bytes of its configuration for the process's life, by design.
extern "C" char const* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
