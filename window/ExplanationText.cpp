// The explanation file as every front end shows it.
#include "window/ExplanationText.h"

namespace mukiro::window {

std::string explanationProblemMessage(ExplanationProblem problem) {
    const std::string file = "説明ファイル「" + std::string(kExplanationFileName) + "」";
    switch (problem) {
        case ExplanationProblem::missing:
            return file + "が見つかりません。";
        case ExplanationProblem::unreadable:
            return file + "を読めませんでした。";
        case ExplanationProblem::empty:
            return file + "は空です。";
        case ExplanationProblem::tooLarge:
            return file + "は大きすぎて表示できません。";
    }
    return {};
}

std::string viewerTextOf(std::string_view decoded) {
    constexpr std::string_view kLineEnd = "\r\n";
    std::string text;
    text.reserve(decoded.size() + decoded.size() / 16 + 2);
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        if (decoded[i] != '\r') {
            continue;
        }
        text += decoded.substr(lineStart, i - lineStart);
        text += kLineEnd;
        if (i + 1 < decoded.size() && decoded[i + 1] == '\n') {
            ++i;
        }
        lineStart = i + 1;
    }
    if (lineStart < decoded.size()) {
        text += decoded.substr(lineStart);
        text += kLineEnd;
    }
    return text;
}

}  // namespace mukiro::window
