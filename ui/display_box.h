// DisplayBox: the calculator's one-line display, the toolkit's line edit
// with a limit on the user's own edits.
//
// The keys set its text however long it grows, and nothing of it is cut
// short. The user edits it as any line edit, but an edit that would make
// the text longer than kUserLimit characters and longer than it is is
// refused whole, along every way an edit comes in: typing, pasting by
// keyboard, context menu or middle click, dropping, an input method, undo
// and redo, and a screen reader's edits. The text then stays exactly as it
// was, the box beeps and a short notice shows under it for a few seconds.
// Every edit that is taken is reported by textEdited().
//
// The line edit's validator is the limit: it refuses an edit after the line
// edit has made it, and the line edit takes the edit back before it reports
// it. The box checks beforehand only the edits the line edit would not
// take back whole, or only at a cost: see display_box.cpp.
#pragma once

#include <QBasicTimer>
#include <QClipboard>
#include <QLineEdit>

class QLabel;

namespace rurozovizera::ui {

class DisplayBox : public QLineEdit {
    Q_OBJECT

public:
    // The longest text the user's own edits may make: the toolkit's own
    // default limit of a line edit.
    static constexpr qsizetype kUserLimit = 32767;
    // How long the notice of a refused edit stays, in milliseconds.
    static constexpr int kNoticeTime = 3000;

    explicit DisplayBox(QWidget* parent = nullptr);

    // The keys' way in: any text, however long. As setText() does, the caret
    // goes to the end and the undo history is dropped; textEdited() is not
    // emitted.
    void setKeysText(const QString& text);

    // Whether the user may take `removed` characters out of the text and
    // put `added` in; refuses the edit, with the beep and the notice, if not.
    bool allowsEdit(qsizetype removed, qsizetype added);

    // About where the character at `position` is drawn, in the box's
    // coordinates; empty for a position past the text.
    [[nodiscard]] QRect characterRect(int position) const;

    // The notice of the last refused edit, or null before the first.
    [[nodiscard]] QLabel* refusalNotice() const { return notice_; }

public slots:
    // The line edit's own, each through the limit first. They take the place
    // of the line edit's slots of the same names, which its context menu
    // calls by name: its Undo, Redo and Paste entries come here.
    void undo();
    void redo();
    void paste();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    class LengthCheck;

    // Whether the text may grow from `oldLength` to `newLength`.
    [[nodiscard]] static bool fits(qsizetype newLength, qsizetype oldLength);
    bool allowsPaste(QClipboard::Mode mode);
    // Whether an undo (or a redo) may be taken.
    bool allowsHistoryStep(bool undoing);
    void refuse();

    // Off while the keys set the text and while a step of the history is
    // tried out: the validator then lets every text through.
    bool checking_ = true;
    // The length of the text when it last changed, as the validator compares
    // an edit's outcome with it.
    qsizetype lengthBefore_ = 0;
    // The length of the text the keys set last. The undo history starts
    // there, so no step of it can make the text longer than this or than
    // the limit.
    qsizetype keysLength_ = 0;
    // How many edits have been refused, so that an event can tell whether it
    // brought a refusal.
    int refusals_ = 0;
    QLabel* notice_ = nullptr;
    QBasicTimer noticeTimer_;
};

} // namespace rurozovizera::ui
