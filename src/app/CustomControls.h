#pragma once
// The program's own control classes, registered with the control factory by
// their full class names at start-up. Rows join as the classes land.

namespace warden {

// Registers every row of the table with CControlFactory, in table order.
void RegisterCustomControls();

}  // namespace warden
