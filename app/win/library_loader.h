// Binding the calendar library at run time: vorane2.dll is loaded by name
// and every export the sheet needs is bound by its fixed ordinal.
#pragma once

#include <windows.h>

#include <cstddef>

#include "library_binding.h"

namespace tenvo {

inline constexpr char kLibraryFileName[] = "vorane2.dll";

enum class BindResult {
    Bound,           // every export of the binding is set
    LibraryMissing,  // the DLL could not be loaded
    ExportMissing,   // the DLL lacks one of the ordinals
};

// Loads vorane2.dll and fills `binding` by ordinal. On failure `problem`
// receives a one-line description naming the missing piece (the DLL, or the
// first missing export with its ordinal) and the DLL is released again.
BindResult loadCalendarLibrary(LibraryBinding& binding, HMODULE& module, char* problem,
                               size_t problemSize);

// Fills `binding` from an already loaded module by ordinal; returns the
// first slot whose ordinal is missing, or nullptr when all are bound.
const BindingSlot* bindByOrdinal(HMODULE module, LibraryBinding& binding);

}  // namespace tenvo
