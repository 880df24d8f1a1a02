// Qt's font lookup goes through fontconfig, which keeps a few blocks of its own until
// the process ends; LeakSanitizer is told not to report them. Our own code gets no
// suppression.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
