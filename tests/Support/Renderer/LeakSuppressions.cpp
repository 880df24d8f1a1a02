// Qt's font lookup goes through fontconfig, and its file dialog talks to the session
// bus through libdbus; both keep a few blocks of their own until the process ends, and
// LeakSanitizer is told not to report them. Our own code gets no suppression.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }
