// Feeds arbitrary bytes to the explanation file's decoding and line splitting.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ui/ExplanationFile.h"

namespace {

// Stops the run with the input saved, as the fuzzer does for a crash.
void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The window never hands over more than the file limit; larger inputs only slow the search.
    if (size > static_cast<std::size_t>(mukiro::ui::ExplanationFile::kMaxBytes)) {
        return -1;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = mukiro::ui::ExplanationFile::textOf(bytes);

    // Any bytes at all make some text, and no bytes make none: a bad byte becomes a
    // replacement character, never a lost line.
    require(text.isEmpty() == bytes.isEmpty());
    if (text.isEmpty()) {
        return 0;
    }
    // Every line ends with CR LF, and no CR stands anywhere else.
    require(text.endsWith(QStringLiteral("\r\n")));
    qsizetype lineEnds = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            require(i + 1 < text.size() && text[i + 1] == u'\n');
            ++lineEnds;
        }
    }
    // Each CR of the input ends one line (a CR LF pair counts once), and a last line without
    // its own end gets one: a bad byte never swallows a line end nor makes one up.
    const qsizetype crs = bytes.count('\r');
    require(lineEnds == crs || lineEnds == crs + 1);
    // A character never takes fewer bytes than one; a lone CR grows by its LF, and a last line
    // without its own end gains CR LF.
    require(text.size() <= bytes.size() + lineEnds + 1);
    return 0;
}
