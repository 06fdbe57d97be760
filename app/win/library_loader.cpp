#include "library_loader.h"

#include <cstdio>

namespace tenvo {

const BindingSlot* bindByOrdinal(HMODULE module, LibraryBinding& binding) {
    for (const BindingSlot& slot : kBindingSlots) {
        FARPROC address = GetProcAddress(module, MAKEINTRESOURCEA(slot.ordinal));
        if (address == nullptr) return &slot;
        slot.store(binding, reinterpret_cast<RawExport>(address));
    }
    return nullptr;
}

BindResult loadCalendarLibrary(LibraryBinding& binding, HMODULE& module, char* problem,
                               size_t problemSize) {
    module = LoadLibraryA(kLibraryFileName);
    if (module == nullptr) {
        std::snprintf(problem, problemSize,
                      "The calendar library %s could not be loaded (error %lu).\n"
                      "Place it beside the program.",
                      kLibraryFileName, static_cast<unsigned long>(GetLastError()));
        return BindResult::LibraryMissing;
    }
    const BindingSlot* missing = bindByOrdinal(module, binding);
    if (missing != nullptr) {
        std::snprintf(problem, problemSize,
                      "The calendar library %s has no export %s (ordinal %d).\n"
                      "It is not the version this program needs.",
                      kLibraryFileName, missing->name, static_cast<int>(missing->ordinal));
        binding = LibraryBinding{};
        FreeLibrary(module);
        module = nullptr;
        return BindResult::ExportMissing;
    }
    return BindResult::Bound;
}

}  // namespace tenvo
