// The game window: lays out every control, forwards each press and plays out what it brings.
#include "ui/Form1.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "rules/Cues.h"
#include "ui/BodyPictureBox.h"
#include "ui/ExplanationFile.h"
#include "ui/ExplanationView.h"
#include "ui/FitTable.h"
#include "ui/GameAccessibility.h"
#include "ui/GameFont.h"
#include "ui/GamePalette.h"
#include "ui/ReadingOrderAccessible.h"
#include "ui/TextFit.h"
#include "window/ButtonTable.h"
#include "window/WindowLayout.h"

namespace mukiro::ui {

namespace {

using window::ControlKind;
using window::ControlLayout;
using window::PictureHolderLayout;
using window::pixels;
using window::TextColour;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::Alignment alignmentOf(window::Alignment alignment) {
    switch (alignment) {
        case window::Alignment::centre:
            return Qt::AlignHCenter;
        case window::Alignment::right:
            return Qt::AlignRight;
        case window::Alignment::left:
            break;
    }
    return Qt::AlignLeft;
}

QRect pixelRect(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

QColor colourOf(TextColour colour) {
    switch (colour) {
        case TextColour::red:
            return QColor(255, 0, 0);
        case TextColour::blue:
            return QColor(0, 0, 255);
        case TextColour::black:
            return QColor(0, 0, 0);
        case TextColour::standard:
            break;
    }
    return {};
}

void paintText(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// Rewrites a box only when its text changes, so the caret and selection of an unchanged box
// stay where the player left them.
void setBoxText(QLineEdit* box, const QString& text) {
    if (box->text() != text) {
        box->setText(text);
    }
}

// The button and modifier codes the poke handler takes: 1 left, 2 right, 4 middle; 1 Shift,
// 2 Ctrl, 4 Alt. The rules ignore both, but the window passes what happened.
short buttonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

short shiftCode(Qt::KeyboardModifiers modifiers) {
    short code = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        code = static_cast<short>(code | 1);
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        code = static_cast<short>(code | 2);
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        code = static_cast<short>(code | 4);
    }
    return code;
}

}  // namespace

Form1::Form1(rules::CuePlayer& cues, PictureSet pictures, rules::GameState initial, QWidget* parent)
    : QMainWindow(parent),
      cues_(cues),
      pictures_(std::move(pictures)),
      midend_(std::move(initial)) {
    // Before any control exists: the toolkit keeps the first accessible interface it makes.
    GameAccessibility::install();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(fromUtf8(window::kWindowCaption));
    // The window was designed light, and the rules' black, red and blue were chosen for it;
    // the menu bar and every control inherit these colours, the Messages are given them.
    setPalette(GamePalette::light());

    setumei_ = menuBar()->addAction(fromUtf8(window::kMenuCommandCaption));
    setumei_->setObjectName(fromUtf8(window::kMenuCommandName));
    // The caption stays "説明" as drawn (a mnemonic would add "(&H)" to it); F1 is the
    // desktop's own key for help.
    setumei_->setShortcut(QKeySequence(Qt::Key_F1));

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    // A screen reader reads the controls group by group as the layout lists them; the hidden
    // picture holders are left out.
    QStringList readingOrder;
    for (const ControlLayout& row : ControlLayout::controls()) {
        if (!row.insideFrame) {
            readingOrder.append(QString::fromLatin1(row.name));
        }
    }
    ReadingOrderAccessible::setReadingOrder(*client_, readingOrder);
    // Every control stands where it was drawn; a larger window only shows more of the area
    // below, where the sacrifice counter lies.
    client_->setMinimumSize(kClientWidth, kClientHeight);
    client_->setFont(GameFont::ofPixelSize(window::kWindowFontPixels));
    setCentralWidget(client_);

    buildControls();
    buildPictureHolders();
    arrangeStackingAndTabOrder();
    connectHandlers();
    nameControlsForScreenReaders();

    findShownControls();
    draw(midend_.screen());

    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

void Form1::showMessageBox(const QString& text) {
    QMessageBox box(this);
    box.setWindowTitle(fromUtf8(window::kMessageCaption));
    // A box is a window of its own and would take the desktop's colours.
    box.setPalette(palette());
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void Form1::Form_Load() {
    // The directory of the program file itself, symbolic links resolved.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    playOut(midend_.start());
}

void Form1::press(std::string_view button) {
    if (std::optional<window::HandlerRun> run = midend_.press(button)) {
        playOut(*run);
    }
}

void Form1::now_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF where) {
    playOut(midend_.poke(buttonCode(button), shiftCode(modifiers), static_cast<float>(where.x()),
                         static_cast<float>(where.y())));
}

void Form1::Setumei_Click() {
    if (!text2_->isVisible()) {
        focusBeforeExplanation_ = focusWidget();
    }
    text2_->setText(QString());
    cues_.play(rules::cues::kExplanation);
    ExplanationFile::Result explanation = ExplanationFile::read(ExplanationFile::name());
    if (explanation.outcome != ExplanationFile::Outcome::read) {
        // The game goes on as it was; the player learns why there is nothing to read.
        text2_->hide();
        showMessageBox(ExplanationFile::problemMessage(explanation.outcome));
        return;
    }
    text2_->setText(explanation.text);
    text2_->show();
    text2_->raise();
    // The keys that close it reach it, and a screen reader starts reading at its first line.
    text2_->setFocus(Qt::OtherFocusReason);
}

void Form1::Text2_Click() {
    text2_->hide();
    if (focusBeforeExplanation_ != nullptr && focusBeforeExplanation_->isVisible()) {
        focusBeforeExplanation_->setFocus(Qt::OtherFocusReason);
    } else {
        now_->setFocus(Qt::OtherFocusReason);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<QPushButton*>(watched);
        // The keypad's Enter comes with the keypad modifier; any other modifier means a shortcut.
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (button != nullptr && !key->isAutoRepeat() && plain &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            button->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::buildControls() {
    QGroupBox* frame = nullptr;
    // In the face the game ships with, which controls draw condensed, and how much, is known.
    const bool knownFits = FitTable::holds(&GameFont::ofPixelSize, client_->devicePixelRatioF());
    for (const ControlLayout& row : ControlLayout::controls()) {
        QWidget* parent = row.insideFrame ? static_cast<QWidget*>(frame) : client_;
        const QString text = QString::fromUtf8(row.text);
        QWidget* widget = nullptr;
        switch (row.kind) {
            case ControlKind::label: {
                auto* label = new QLabel(text, parent);
                label->setWordWrap(true);
                label->setAlignment(alignmentOf(row.alignment) | Qt::AlignTop);
                widget = label;
                break;
            }
            case ControlKind::textBox: {
                // The box lays its text out as soon as it has one: in its own face, not first
                // in the window's and again in its own.
                auto* box = new QLineEdit(parent);
                box->setFont(GameFont::ofPixelSize(row.fontPixels));
                box->setText(text);
                box->setAlignment(alignmentOf(row.alignment) | Qt::AlignVCenter);
                box->setReadOnly(row.readOnly);
                // The small stock boxes are only 18 pixels high: no inner margin is to spare.
                box->setTextMargins(0, 0, 0, 0);
                box->setCursorPosition(0);
                widget = box;
                break;
            }
            case ControlKind::button:
                widget = new QPushButton(text, parent);
                break;
            case ControlKind::frame: {
                frame = new QGroupBox(text, parent);
                QStringList readingOrder;
                for (const window::StatusRow& status : window::StatusRow::rows()) {
                    readingOrder.append(QString::fromLatin1(status.value));
                }
                ReadingOrderAccessible::setReadingOrder(*frame, readingOrder);
                widget = frame;
                break;
            }
            case ControlKind::bodyPicture:
                now_ = new BodyPictureBox(parent);
                widget = now_;
                break;
            case ControlKind::viewer:
                text2_ = new ExplanationView(parent);
                text2_->setReadOnly(row.readOnly);
                text2_->hide();
                widget = text2_;
                break;
        }
        widget->setObjectName(QString::fromLatin1(row.name));
        widget->setFont(GameFont::ofPixelSize(row.fontPixels));
        widget->setGeometry(pixelRect(row.left, row.top, row.width, row.height));
        if (row.colour != TextColour::standard) {
            paintText(widget, colourOf(row.colour));
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            TextFit::applyStretch(
                *label, knownFits ? FitTable::stretchOf(row.name) : TextFit::labelStretch(*label));
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            TextFit::applyStretch(
                *box, knownFits ? FitTable::stretchOf(row.name) : TextFit::lineEditStretch(*box));
        }
    }
}

void Form1::buildPictureHolders() {
    for (const PictureHolderLayout& row : PictureHolderLayout::holders()) {
        // The holders keep the picture set in the window; the player never sees them.
        auto* holder = new QLabel(client_);
        holder->setObjectName(PictureSet::fileName(row.picture).chopped(4));
        holder->setFont(GameFont::ofPixelSize(row.fontPixels));
        holder->setGeometry(pixelRect(row.left, row.top, row.width, row.height));
        holder->setPixmap(pictures_[row.picture]);
        holder->hide();
    }
}

void Form1::arrangeStackingAndTabOrder() {
    // Labels are painted on their container's surface, beneath every other kind of control.
    for (QLabel* label : client_->findChildren<QLabel*>()) {
        label->lower();
    }
    text2_->raise();

    std::vector<std::pair<int, QWidget*>> byTab;
    for (const ControlLayout& row : ControlLayout::controls()) {
        byTab.emplace_back(row.tab, client_->findChild<QWidget*>(QString::fromLatin1(row.name)));
    }
    std::sort(byTab.begin(), byTab.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QWidget* previous = nullptr;
    for (const auto& [tab, widget] : byTab) {
        if ((widget->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void Form1::connectHandlers() {
    for (const window::ButtonTable::Entry& entry : window::ButtonTable::entries()) {
        auto* button = client_->findChild<QPushButton*>(fromUtf8(entry.button));
        const std::string_view name = entry.button;
        connect(button, &QPushButton::clicked, this, [this, name] { press(name); });
        button->installEventFilter(this);
    }
    connect(now_, &BodyPictureBox::pressed, this, &Form1::now_MouseDown);
    connect(setumei_, &QAction::triggered, this, &Form1::Setumei_Click);
    connect(text2_, &ExplanationView::clicked, this, &Form1::Text2_Click);
    connect(text2_, &ExplanationView::closeKeyPressed, this, &Form1::Text2_Click);
}

void Form1::nameControlsForScreenReaders() {
    for (const window::BoxName& name : window::BoxName::names()) {
        auto* box = client_->findChild<QLineEdit*>(QString::fromLatin1(name.box));
        if (name.caption != nullptr) {
            client_->findChild<QLabel*>(QString::fromLatin1(name.caption))->setBuddy(box);
        } else {
            box->setAccessibleName(QString::fromUtf8(name.words));
        }
    }
    for (const window::StatusRow& row : window::StatusRow::rows()) {
        StatusName status{findChild<QLabel*>(QString::fromLatin1(row.value)),
                          findChild<QLabel*>(QString::fromLatin1(row.caption))->text(),
                          {}};
        if (row.unit != nullptr) {
            status.unit = findChild<QLabel*>(QString::fromLatin1(row.unit))->text();
        }
        statusNames_.push_back(status);
    }
    text2_->setAccessibleName(fromUtf8(window::kExplanationName));
}

void Form1::findShownControls() {
    for (const window::ShownControl& shown : midend_.screen().controls) {
        auto* widget = client_->findChild<QWidget*>(fromUtf8(shown.name));
        const window::TextColour designed = window::ControlLayout::find(shown.name)->colour;
        shownControls_.push_back(
            {shown.name, widget, widget->palette().color(QPalette::WindowText), designed});
    }
}

Form1::DrawnControl& Form1::drawnControl(std::string_view name) {
    return *std::find_if(shownControls_.begin(), shownControls_.end(),
                         [name](const DrawnControl& drawn) { return drawn.name == name; });
}

void Form1::playOut(const window::HandlerRun& run) {
    for (const window::Step& step : run.steps) {
        switch (step.kind) {
            case window::Step::Kind::cue:
                cues_.play(step.text);
                break;
            case window::Step::Kind::message:
                // The player sees the game as it stands at this step, behind a modal box.
                draw(step.behind);
                showMessageBox(fromUtf8(step.text));
                break;
        }
    }
    // The latest screen: a press the box let through while it was up has drawn its own.
    draw(midend_.screen());
}

void Form1::draw(const window::Screen& screen) {
    for (const window::ShownControl& shown : screen.controls) {
        DrawnControl& drawn = drawnControl(shown.name);
        const QString text = fromUtf8(shown.text);
        if (auto* label = qobject_cast<QLabel*>(drawn.widget)) {
            label->setText(text);
        } else if (auto* box = qobject_cast<QLineEdit*>(drawn.widget); box && shown.write) {
            setBoxText(box, text);
        }
        if (drawn.ink != shown.ink) {
            const QColor colour = colourOf(shown.ink);
            paintText(drawn.widget, colour.isValid() ? colour : drawn.standardInk);
            drawn.ink = shown.ink;
        }
        if (drawn.widget->isHidden() == shown.visible) {
            drawn.widget->setVisible(shown.visible);
        }
    }
    now_->setPicture(screen.picture, pictures_, PictureSet::description(screen.picture));
    for (const StatusName& status : statusNames_) {
        const QString name = status.caption + QLatin1Char(' ') + status.value->text() + status.unit;
        if (status.value->accessibleName() != name) {
            status.value->setAccessibleName(name);
        }
    }
}

}  // namespace mukiro::ui
