// The game's explanation file: reading it from disk and turning its bytes into the viewer's text.
#include "ui/ExplanationFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace mukiro::ui {

const QString& ExplanationFile::name() {
    static const QString fileName = QStringLiteral("ムキロ・タフ.txt");
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
    const QString lineEnd = QStringLiteral("\r\n");

    QString text;
    text.reserve(decoded.size() + decoded.size() / 16 + 2);
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        if (decoded[i] != u'\r') {
            continue;
        }
        text += QStringView(decoded).sliced(lineStart, i - lineStart);
        text += lineEnd;
        if (i + 1 < decoded.size() && decoded[i + 1] == u'\n') {
            ++i;
        }
        lineStart = i + 1;
    }
    if (lineStart < decoded.size()) {
        text += QStringView(decoded).sliced(lineStart);
        text += lineEnd;
    }
    return text;
}

QString ExplanationFile::problemMessage(Outcome outcome) {
    switch (outcome) {
        case Outcome::read:
            return {};
        case Outcome::missing:
            return QStringLiteral("説明ファイル「%1」が見つかりません。").arg(name());
        case Outcome::unreadable:
            return QStringLiteral("説明ファイル「%1」を読めませんでした。").arg(name());
        case Outcome::empty:
            return QStringLiteral("説明ファイル「%1」は空です。").arg(name());
        case Outcome::tooLarge:
            return QStringLiteral("説明ファイル「%1」は大きすぎて表示できません。").arg(name());
    }
    return {};
}

}  // namespace mukiro::ui
