// Qt looks fonts up through fontconfig, and its file dialog talks to the desktop's
// message bus through libdbus; both libraries keep a few blocks until the process ends,
// and LeakSanitizer is told not to report them. Our own code gets no suppression.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }
