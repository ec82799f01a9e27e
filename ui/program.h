// Ending the program.
#pragma once

namespace velmora {

// Ends the program at once: every window of the program disappears, with no
// question asked and no window's own close handling, and the event loop
// stops. Windows made later by other parts of the program are included.
void endProgram();

} // namespace velmora
