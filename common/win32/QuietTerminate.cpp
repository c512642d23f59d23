// The handler std::terminate calls. libstdc++'s own one writes the uncaught exception's type,
// demangled, to the standard error stream, which a Windows program has not got, and brings the
// demangler and a printf into every program: more than 70 KB of its i686 .exe. This one ends
// the program as that one does after writing, with abort. Linked into each program as an
// object of its own, so that the linker takes it before looking into libstdc++.

#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
