// The game's explanation file: reading it from disk and turning its bytes into the viewer's text.
#include "ui/ExplanationFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <string_view>

#include "window/ExplanationText.h"

namespace mukiro::ui {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

const QString& ExplanationFile::name() {
    static const QString fileName = fromUtf8(window::kExplanationFileName);
    return fileName;
}

ExplanationFile::Result ExplanationFile::read(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return {Outcome::missing, {}};
    }
    // A folder, a pipe or a device in the file's place is no text to show; a pipe would even
    // hold the window until something wrote to it.
    if (!info.isFile()) {
        return {Outcome::unreadable, {}};
    }
    // A file known to be too large is refused before a byte of it is read.
    if (info.size() > kMaxBytes) {
        return {Outcome::tooLarge, {}};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {Outcome::unreadable, {}};
    }
    // The file may have grown since it was measured. One byte more than allowed tells a file of
    // exactly the limit from a larger one, and bounds what is held in memory either way.
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes) {
        return {Outcome::tooLarge, {}};
    }
    if (bytes.isEmpty()) {
        // A read error and a file of no bytes look alike here; tell them apart by the device.
        return {file.error() == QFileDevice::NoError ? Outcome::empty : Outcome::unreadable, {}};
    }
    QString text = textOf(bytes);
    if (text.isEmpty()) {
        // Bytes that decode to nothing at all: this system cannot read the file's encoding.
        return {Outcome::unreadable, {}};
    }
    return {Outcome::read, std::move(text)};
}

QString ExplanationFile::textOf(const QByteArray& bytes) {
    QStringDecoder decoder("CP932");
    if (!decoder.isValid()) {
        return {};
    }
    // The bytes are the whole file, but the decoder holds back a lead byte cut off by the end,
    // waiting for a trail byte that never comes. A LF is never a trail byte, so decoding one
    // more LF makes the decoder give that lead byte up as a bad character; the LF then goes.
    QString decoded = decoder.decode(bytes + '\n');
    decoded.chop(1);
    // The decoder stands the ASCII substitute control (SUB) for a bad byte; the player sees the
    // usual mark for an unreadable character instead of an invisible control.
    decoded.replace(QChar(0x1A), QChar::ReplacementCharacter);
    // The lines are cut the same way on every front end.
    return fromUtf8(window::viewerTextOf(decoded.toStdString()));
}

QString ExplanationFile::problemMessage(Outcome outcome) {
    switch (outcome) {
        case Outcome::read:
            return {};
        case Outcome::missing:
            return fromUtf8(window::explanationProblemMessage(window::ExplanationProblem::missing));
        case Outcome::unreadable:
            return fromUtf8(
                window::explanationProblemMessage(window::ExplanationProblem::unreadable));
        case Outcome::empty:
            return fromUtf8(window::explanationProblemMessage(window::ExplanationProblem::empty));
        case Outcome::tooLarge:
            return fromUtf8(
                window::explanationProblemMessage(window::ExplanationProblem::tooLarge));
    }
    return {};
}

}  // namespace mukiro::ui
