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
#pragma once

#include <QBasicTimer>
#include <QClipboard>
#include <QLineEdit>

class QLabel;
class QMenu;

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

    // The menu the right mouse button opens: the line edit's own, whose
    // undo, redo and paste go through the limit. The caller owns it.
    [[nodiscard]] QMenu* createContextMenu();

    // About where the character at `position` is drawn, in the box's
    // coordinates; empty for a position past the text.
    [[nodiscard]] QRect characterRect(int position) const;

    // The notice of the last refused edit, or null before the first.
    [[nodiscard]] QLabel* refusalNotice() const { return notice_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    class LengthCheck;

    // Whether the text may grow from `oldLength` to `newLength`; refuses if
    // not.
    bool allows(qsizetype newLength, qsizetype oldLength);
    bool allowsPaste(QClipboard::Mode mode);
    // Whether an undo (or a redo) may be taken.
    bool allowsHistoryStep(bool undoing);
    void refuse();

    // Off while the keys set the text and while a step of the history is
    // tried out: the line edit's own check then lets every text through.
    bool checking_ = true;
    // The length of the text when it last changed, as the line edit's own
    // check compares an edit's outcome with it.
    qsizetype lengthBefore_ = 0;
    // The length of the text the keys set last. The undo history starts
    // there, so no step of it can make the text longer than this or than
    // the limit.
    qsizetype keysLength_ = 0;
    QLabel* notice_ = nullptr;
    QBasicTimer noticeTimer_;
};

} // namespace rurozovizera::ui
