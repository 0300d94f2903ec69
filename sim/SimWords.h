// The words and numbers of the simulator's statements, shared by the scenario file,
// the window's command line and the statements other programs send.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The words of one line: bare words, or texts in double quotes that may hold blanks.
// '#' outside a text starts a comment. False on a text without its closing quote.
bool SplitSimWords(const std::string& line, std::vector<std::string>& words);

// A whole word as an unsigned 32-bit number: decimal, or hexadecimal after 0x. No sign,
// no blanks; leading zeros are decimal ones.
std::optional<uint32_t> ParseSimNumber(const std::string& word);

// A request's code from its name as the trace writes it; "open" is opening the device.
std::optional<uint32_t> SimRequestCode(const std::string& name);

// Why words[at] is refused: the word itself (or that a word is missing) and what was
// expected in its place.
std::string SimExpected(const std::vector<std::string>& words, size_t at, const std::string& expected);
