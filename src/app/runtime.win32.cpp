// The program's own versions of a few runtime routines that the standard library leaves
// replaceable in a static link. They keep behaviour the program relies on and keep the
// library's heavier versions out of SSVorlux.scr. They belong to the program only: the tests
// link the library's own.
#include <windows.h>

#include <new>
#include <string>  // declares the library routines defined below, with their attributes

#include "base/errors.h"

// A window program has no console for the runtime's report on an uncaught exception, and the
// steps catch what they run: the handler ends the program at once. Defining it keeps the
// runtime's own, with its demangler and formatted output, out of the program.
namespace __gnu_cxx {
void __verbose_terminate_handler() { TerminateProcess(GetCurrentProcess(), 3); }
}  // namespace __gnu_cxx

// The containers' and strings' failures. The library's own raise std::length_error and its
// kin, whose text lives in a reference-counted string: that string class and its transactional
// copies are about 80 KB of the program. Here the same failures raise exceptions that need no
// string. Nothing in the program tells them apart: the steps catch everything, and the setup
// dialog catches std::exception.
namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_logic_error(const char* what) { throw vorlux::Error(what); }
void __throw_length_error(const char* what) { throw vorlux::Error(what); }
void __throw_out_of_range_fmt(const char* format, ...) { throw vorlux::Error(format); }
}  // namespace std
