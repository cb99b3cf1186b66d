#pragma once
// Texts between the programs, which hold them as bytes of the ANSI code page, and the system's
// UTF-16, for the places where a text may hold characters outside that code page: a path the
// user picked (C:\字典\résumé.txt) and the messages that name it.
//
// The rule: a text whose every character fits the code page is held in it, exactly as the ANSI
// functions would give it; any other text is held as UTF-8. Read back, a text that is valid
// UTF-8 and names a character outside the code page is UTF-8; any other is in the code page. So
// every text the ANSI functions could carry stays byte for byte what it was. (The one text
// misread is one in the code page whose bytes happen to spell, as UTF-8, a character outside
// it, such as "Ä€" under Windows-1252: no name a person types.)
#include <string>

namespace wf {

std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);

}  // namespace wf
