#pragma once
// The seconds field's spin control as both dialogs set it up: the same parts and the
// same steps, only the smallest value differs.
#include "controls/EditHex.h"
#include "controls/SlideUpDown.h"

namespace tessora {

// Full-bodied buttons repeating after 500 ms at speed 33 (or the system's keyboard
// repeat), a light slider two pixels high with the split pointer.
void SetUpSecondsSpinParts(TSlideUpDown& spin);

// Ties the spin control to its field: whole seconds from minimum to 86400, one a step,
// no wrapping.
void AssociateSecondsSpin(TSlideUpDown& spin, TEditHex& field, int minimum);

}  // namespace tessora
