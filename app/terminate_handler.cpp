// Replaces libstdc++'s verbose terminate handler, which prints the demangled type of an
// uncaught exception to a console that a GUI program does not have. Defining it here keeps the
// demangler and the printf machinery it drags in (about 60 KiB) out of ventrix.exe.
// No exception is expected to reach it: the window procedures catch everything.

#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
#endif
