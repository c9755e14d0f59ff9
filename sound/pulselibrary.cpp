#include "pulselibrary.h"

#include <dlfcn.h>

const PulseLibrary* pulseLibrary()
{
    static const PulseLibrary* const library = []() -> const PulseLibrary* {
        // Kept open for the program's life: the sound thread runs its code.
        void* handle = ::dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return nullptr;
        static PulseLibrary functions;
        bool complete = true;
#define PULSE_LIBRARY_LOOKUP(name)                                                                                     \
    functions.name = reinterpret_cast<decltype(functions.name)>(::dlsym(handle, #name));                               \
    complete = complete && functions.name;
        PULSE_LIBRARY_FUNCTIONS(PULSE_LIBRARY_LOOKUP)
#undef PULSE_LIBRARY_LOOKUP
        return complete ? &functions : nullptr;
    }();
    return library;
}
