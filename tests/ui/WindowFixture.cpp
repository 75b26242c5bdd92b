// Opens the game window offscreen and answers its Message boxes the way a player would.
#include "tests/ui/WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QTest>

#include "ui/PictureSet.h"

namespace mukiro::testing {

PictureFolder::PictureFolder() {
    for (rules::Picture picture : rules::kAllPictures) {
        QImage image(ui::BodyPictureBox::kPictureSide, ui::BodyPictureBox::kPictureSide,
                     QImage::Format_RGB888);
        const int index = static_cast<int>(picture);
        image.fill(QColor::fromHsv(index * 20, 200, 200));
        image.save(path() + ui::PictureSet::fileName(picture), "BMP");
    }
}

void PictureFolder::remove(rules::Picture picture) {
    QFile::remove(path() + ui::PictureSet::fileName(picture));
}

MessageAnswerer::MessageAnswerer(const ui::Form1& window, Answer how) : window_(window), how_(how) {
    connect(&timer_, &QTimer::timeout, this, &MessageAnswerer::answer);
    timer_.start(5);
}

std::vector<QString> MessageAnswerer::texts() const {
    std::vector<QString> result;
    for (const SeenMessage& message : seen_) {
        result.push_back(message.text);
    }
    return result;
}

void MessageAnswerer::answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
        return;
    }
    SeenMessage message;
    message.caption = box->windowTitle();
    message.text = box->text();
    message.icon = box->icon();
    for (QAbstractButton* button : box->buttons()) {
        message.buttons.push_back(box->standardButton(button));
    }
    message.behind = window_.findChild<ui::BodyPictureBox*>(QStringLiteral("now"))->picture();
    message.mlevelShown = window_.findChild<QLabel*>(QStringLiteral("mlevel"))->text();
    for (const QLabel* label : box->findChildren<QLabel*>()) {
        if (label->text() == message.text) {
            message.palette = label->palette();
        }
    }
    seen_.push_back(message);

    QAbstractButton* ok = box->button(QMessageBox::Ok);
    if (how_ == Answer::enterKey) {
        // Through the box's window, as the keyboard reaches it: to the button that has focus.
        QTest::keyClick(box->windowHandle(), Qt::Key_Return);
    } else if (ok != nullptr) {
        QTest::mouseClick(ok, Qt::LeftButton);
    } else {
        box->done(0);  // never leave a test hanging on a box without OK; the record shows it
    }
}

void WindowTest::open(rules::GameState initial) {
    ui::PictureSet set(pictures().path());
    ASSERT_TRUE(set.complete()) << set.missingFile().toStdString();
    window = std::make_unique<ui::Form1>(host, set, std::move(initial));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void WindowTest::click(const char* button) const {
    QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
}

PictureFolder& WindowTest::pictures() {
    static PictureFolder folder;
    return folder;
}

}  // namespace mukiro::testing
