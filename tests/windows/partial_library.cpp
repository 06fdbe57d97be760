// A vorane2.dll that lacks nearly every export: the program must refuse to
// start beside it with a message naming the first missing export instead of
// calling through a null pointer.
#include "vorane2.h"

extern "C" const char* VRN_CALL VRNVER(void) { return "1.0"; }
