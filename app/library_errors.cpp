// Replaces libstdc++'s helpers that report a misuse of a container or a conversion (a string
// longer than max_size(), an index out of range...). The library's own build a std::length_error
// and the like around a reference-counted copy of the message, and their object file drags in a
// second, copy-on-write std::string, std::random_device and the printf machinery: about 80 KiB
// with their unwind tables. These throw forms::Failure with the same text; the forms runtime
// shows what() of any exception that reaches it and nothing looks at the type. All of that
// object file's helpers are here, so that it is never linked beside them.

#include <exception>
#include <new>
#include <typeinfo>

#include "platform/forms/failure.h"

#if defined(__GLIBCXX__)

namespace std {

// Declared [[noreturn]] by the library.
void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* text) { throw ventrix::forms::Failure(text); }
void __throw_domain_error(const char* text) { throw ventrix::forms::Failure(text); }
void __throw_invalid_argument(const char* text) { throw ventrix::forms::Failure(text); }
void __throw_length_error(const char* text) { throw ventrix::forms::Failure(text); }
void __throw_out_of_range(const char* text) { throw ventrix::forms::Failure(text); }
// The format's placeholders stay unfilled: the text names the check that failed.
void __throw_out_of_range_fmt(const char* format, ...) { throw ventrix::forms::Failure(format); }
void __throw_runtime_error(const char* text) { throw ventrix::forms::Failure(text); }
void __throw_range_error(const char* text) { throw ventrix::forms::Failure(text); }
void __throw_overflow_error(const char* text) { throw ventrix::forms::Failure(text); }
void __throw_underflow_error(const char* text) { throw ventrix::forms::Failure(text); }

}  // namespace std
#endif
