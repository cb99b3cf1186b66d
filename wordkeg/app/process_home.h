#pragma once
// The process's one home, as the window and the command line open it: its configuration (the
// ini in the home folder: the working directory unless useProcessHome named another) and the
// catalogue of its dictionaries, made at first use. The
// entry points take them from here and pass them on by reference; the engine holds neither (a
// server opens a catalogue per request: DictionaryNames::open).
#include <string>

namespace wk {
class ConfigData;
class DictionaryNames;
}  // namespace wk

namespace wk::app {

// The home the next processConfig() reads; "." (the working directory) until set.
void useProcessHome(const std::string& home);
// Reads (or makes) the ini at first use, reporting problems through the message port.
ConfigData& processConfig();
// The next processConfig() reads the ini again (a new home; the tests).
void resetProcessConfig();
// Scans the configured dictionary directory at first use.
DictionaryNames& processCatalogue();
// Writes back every changed header and drops the catalogue (the program's end; a new home).
// False when a header could not be written (the user has been told).
bool closeProcessCatalogue();

}  // namespace wk::app
