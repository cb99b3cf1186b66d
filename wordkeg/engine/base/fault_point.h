#pragma once
// Fault injection for the tests of crash safety: a named point where the process can be made to
// die at once, as kill -9 or a power cut would end it. It does nothing unless the environment
// variable WORDKEG_FAULT names the point, so normal runs never stop there.
namespace wk {

// Ends the process immediately (no destructors, no clean-up) when WORDKEG_FAULT equals `name`.
void faultPoint(const char* name);

}  // namespace wk
