// The binding of a native program that links the calendar library directly.
#pragma once

#include "library_binding.h"

namespace tenvo {

// Every member set to the linked library's export of the same name.
LibraryBinding linkedLibraryBinding();

}  // namespace tenvo
