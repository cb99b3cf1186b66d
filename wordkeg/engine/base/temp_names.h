#pragma once
// Names that are unique to this process, even against a copy started in the same second.
#include <cstdint>
#include <string>

namespace wk {

// The run files of a word-list sort: this base + a number, in the temporary directory. Only a
// copy running alone makes them, so the name needs no tag.
constexpr const char* kSortRunBase = "$$tmp{{{.";

// `value` in base 36, digits 0-9 then a-z.
std::string toBase36(uint32_t value);
// A short tag that differs between processes running at the same time (the process id).
std::string processTag();
// The stem of this run's run-wide temporary names: "$$" + `time` in base 36 + "_" + tag.
std::string runStem(uint32_t time);
// The stem of the working files of the process's search number `run` (0: runStem(time) itself),
// so that searches side by side in one process write files apart; tagOfRunStem reads the same
// tag from every one.
std::string runStem(uint32_t time, unsigned run);
// A number no earlier call of this process gave, 0 first: the catalogues and searches of one
// process name their working files apart with it.
unsigned nextRunNumber();
// The process tag inside a run stem (empty when the stem carries none), so the files of a copy
// that died can be found from its marker.
std::string tagOfRunStem(const std::string& stem);
// The pattern of the pass files freshTempName() gives in the process with `tag`.
std::string tempNamePattern(const std::string& tag);
// A fresh file name "TMP" + tag + counter + ".$$$" that no earlier call of this process gave;
// the caller completes it with a directory.
std::string freshTempName();
// True when `name` is a freshTempName() of a process that has certainly ended (no process has
// its id), so that the file is a leftover of a copy killed while it wrote. False when unsure:
// on Windows, where the engine does not ask about processes, always.
bool isDeadProcessTempName(const std::string& name);

}  // namespace wk
