// The text box that shows the game's explanation over the whole window until clicked or closed
// with a key.
#pragma once

#include <QPlainTextEdit>

namespace mukiro::ui {

class ExplanationView : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit ExplanationView(QWidget* parent = nullptr);

    // The box's text as the game keeps it: every line followed by CR LF.
    const QString& text() const noexcept { return text_; }
    // Replaces the text; the box shows one line for each CR LF.
    void setText(const QString& text);

  signals:
    // A mouse button went down on the text (not on its scroll bar).
    void clicked();
    // Escape, Enter or Space: the keys that close it, as a click does.
    void closeKeyPressed();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // While shown it covers every control, so Tab stays in it as the mouse does.
    bool focusNextPrevChild(bool next) override;

  private:
    QString text_;
};

}  // namespace mukiro::ui
