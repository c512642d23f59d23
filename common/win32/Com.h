#pragma once
// COM on the calling thread, for the shell: some of ShellExecute's handlers need it, and
// Windows asks for an apartment-threaded one without OLE1 DDE. Initialised on the first call,
// from ole32 as a SystemLibrary (it is imported by nothing); left initialised for the rest of
// the program, like the DLLs it lives in. The reminder calls the shell from its one thread.

namespace pausarium::win32 {

void initialiseCom();

}  // namespace pausarium::win32
