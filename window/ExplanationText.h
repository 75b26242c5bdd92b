// The explanation file as every front end shows it: its name, the most that is shown, how its
// lines are laid into the viewer and what the player is told when it cannot be shown.
#pragma once

#include <string>
#include <string_view>

namespace mukiro::window {

// The file beside the program (or the page), in Shift_JIS (code page 932).
inline constexpr std::string_view kExplanationFileName = "ムキロ・タフ.txt";

// The most we show. The explanation is a few kilobytes; a text box lays out one long line in
// time that grows with the square of its length, so a larger file is refused rather than left
// to freeze the window.
inline constexpr long long kMaxExplanationBytes = 64 * 1024;

enum class ExplanationProblem { missing, unreadable, empty, tooLarge };

// What the player is told, in a Message, when the file cannot be shown.
std::string explanationProblemMessage(ExplanationProblem problem);

// The viewer's text from the file's decoded text (UTF-8): every line followed by CR LF. A line
// ends at CR LF or at a lone CR; a lone LF belongs to its line. A final line without a line end
// counts as a line; a final line end adds no empty line.
std::string viewerTextOf(std::string_view decoded);

}  // namespace mukiro::window
