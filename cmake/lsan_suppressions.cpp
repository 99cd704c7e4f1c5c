// LeakSanitizer's settings, built into every program of the sanitizer build
// so that each run is judged on our own leaks: fontconfig keeps a few hundred
// bytes of its configuration for the process's life, by design. The list of
// suppressions used is not printed: programs whose stderr is checked stay
// quiet.
extern "C" char const* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" char const* __lsan_default_options()
{
    return "print_suppressions=0";
}
