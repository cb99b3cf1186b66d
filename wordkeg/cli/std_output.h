#pragma once
// Standard output as a pipe's writer must treat it: when the reader goes away (`| head`), the
// run stops at once, removes its working files and marker like any other ending, and only then
// ends with the status of a broken pipe, saying nothing.
#include <string>
#include <string_view>

namespace wk::cli {

// Call once at start-up: writes to a closed pipe then fail with an error instead of killing the
// process before it can clean up.
void deferBrokenPipe();
// Writes `text` and a line feed to stdout; false once the reader has gone. Any thread may
// print and flush (the stream locks itself).
bool printLine(std::string_view text);
// Flushes stdout; false once the reader has gone.
bool flushOutput();
// True once a write found the reader gone, or a poll of a pipe on stdout finds its read end
// closed (so a long run stops before it has anything to write).
bool outputBroken();
// After the run has cleaned up: ends the process as a broken pipe ends a filter, when one did.
void endIfOutputBroken();

}  // namespace wk::cli
