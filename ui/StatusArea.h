#pragma once

#include <string_view>

namespace dovra {

struct Program;

// Every command reports here. Texts are given in UTF-8 as the program's sources write them.
void showStatus(Program& program, std::string_view text);

// A notice the user must acknowledge: StatusText in bold blue, every other control of the main
// window but OkButton disabled, until OkButton leaves notice mode.
void enterNoticeMode(Program& program, std::string_view text);
void leaveNoticeMode(Program& program);

} // namespace dovra
