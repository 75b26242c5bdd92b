// The game's explanation file: reading it from disk and turning its bytes into the viewer's text.
#pragma once

#include <QByteArray>
#include <QString>

#include "window/ExplanationText.h"

namespace mukiro::ui {

class ExplanationFile {
  public:
    // The file beside the program, named relative to the current directory.
    static const QString& name();

    // The most we show. The explanation is a few kilobytes. The text box lays out one long line
    // in time that grows with the square of its length (a 1 MiB line takes most of a minute),
    // so a larger file is refused rather than left to freeze the window.
    static constexpr qint64 kMaxBytes = window::kMaxExplanationBytes;

    enum class Outcome { read, missing, unreadable, empty, tooLarge };

    struct Result {
        Outcome outcome = Outcome::missing;
        QString text;  // each line followed by CR LF; empty unless `outcome` is `read`
    };

    // Reads the file at `path` afresh.
    static Result read(const QString& path);

    // Decodes Shift_JIS (code page 932) bytes and gives every line followed by CR LF. A line
    // ends at CR LF or at a lone CR; a lone LF belongs to its line. A final line without a line
    // end counts as a line; a final line end adds no empty line. A byte that is no character,
    // or a lead byte cut off by the end, shows as U+FFFD and never takes a line end with it.
    // Empty where the system has no decoder for the encoding.
    static QString textOf(const QByteArray& bytes);

    // What the player is told when the file cannot be shown.
    static QString problemMessage(Outcome outcome);
};

}  // namespace mukiro::ui
