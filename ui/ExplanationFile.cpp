// The game's explanation file: reading it from disk and turning its bytes into the viewer's text.
#include "ui/ExplanationFile.h"

#include <QFile>
#include <QStringDecoder>

namespace mukiro::ui {

const QString& ExplanationFile::name() {
    static const QString fileName = QStringLiteral("ムキロ・タフ.txt");
    return fileName;
}

ExplanationFile::Result ExplanationFile::read(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return {Outcome::missing, {}};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return {Outcome::unreadable, {}};
    }
    // One byte more than allowed tells a file of exactly the limit from a larger one.
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
    const QString decoded = decoder.decode(bytes);
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
