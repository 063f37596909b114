// DisplayBox: the calculator's one-line display, an editable text box.
//
// The keys set its text however long it grows. The user's own editing
// (typing, pasting by keyboard, context menu or middle click, dropping,
// an input method, undo and redo, and the accessibility interface) goes
// through one place that refuses, whole, any edit that would make the text
// longer than kUserLimit characters and longer than it is: the text stays
// exactly as it was, the box beeps and a short notice shows under it for
// a few seconds. Every accepted edit is reported by textEdited().
//
// The box lays out and draws only the characters on view, never the whole
// text, so a key's click costs about the same whether the display holds
// ten characters or a million.
#pragma once

#include <QBasicTimer>
#include <QClipboard>
#include <QString>
#include <QWidget>

#include <deque>

class QLabel;
class QMenu;
class QStyleOptionFrame;
class QTextLayout;

namespace rurozovizera::ui {

class DisplayBox : public QWidget {
    Q_OBJECT

public:
    // The longest text the user's own edits may make: 1 Mi characters.
    static constexpr qsizetype kUserLimit = qsizetype{1} << 20;
    // How long the notice of a refused edit stays, in milliseconds.
    static constexpr int kNoticeTime = 3000;

    explicit DisplayBox(QWidget* parent = nullptr);
    ~DisplayBox() override;

    [[nodiscard]] const QString& text() const { return text_; }
    // The keys' way in: any text, however long. The caret goes to the end,
    // the selection and the undo history are dropped; textEdited() is not
    // emitted.
    void setText(const QString& text);

    // The user's edits, each refused whole when too long (see above); the
    // two that return say whether the edit was taken. Inserts at the caret
    // in place of the selection.
    bool insert(const QString& text);
    // Replaces `length` characters from `start` and selects nothing.
    bool replace(qsizetype start, qsizetype length, const QString& text);
    void paste(QClipboard::Mode mode = QClipboard::Clipboard);
    void cut();
    void del();
    void backspace();
    void undo();
    void redo();
    [[nodiscard]] bool isUndoAvailable() const { return !undo_.empty(); }
    [[nodiscard]] bool isRedoAvailable() const { return !redo_.empty(); }

    void copy(QClipboard::Mode mode = QClipboard::Clipboard) const;
    void selectAll();
    void deselect();
    void setSelection(qsizetype start, qsizetype length);
    [[nodiscard]] bool hasSelectedText() const { return anchor_ != cursor_; }
    [[nodiscard]] QString selectedText() const;
    [[nodiscard]] qsizetype selectionStart() const;
    [[nodiscard]] qsizetype selectionEnd() const;
    [[nodiscard]] qsizetype cursorPosition() const { return cursor_; }
    void setCursorPosition(qsizetype position);

    // Where the caret is drawn, in the box's coordinates.
    [[nodiscard]] QRect cursorRect() const;
    // The caret position nearest to a point in the box.
    [[nodiscard]] qsizetype positionAt(QPoint point) const;
    // The box of the character at `position` while it is on view, in the
    // box's coordinates; empty otherwise.
    [[nodiscard]] QRect characterRect(qsizetype position) const;

    // The menu the right mouse button opens: Undo, Redo, Cut, Copy, Paste,
    // Delete and Select All. The caller owns it.
    [[nodiscard]] QMenu* createStandardContextMenu();

    // The notice of the last refused edit, or null before the first.
    [[nodiscard]] QLabel* refusalNotice() const { return notice_; }

    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    // After every edit of the user's that was taken, with the new text.
    void textEdited(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    struct Snapshot {
        QString text;
        qsizetype cursor;
        qsizetype anchor;
    };
    enum class Step { Edit, Typing, History };

    // Whether the user may make the text this long; refuses the edit if not.
    bool allows(qsizetype newLength);
    bool edit(qsizetype start, qsizetype length, const QString& text, Step step);
    // Every change of the text but the keys' ends here.
    void change(QString next, qsizetype cursor, qsizetype anchor, Step step);
    void refuse();
    void remember(std::deque<Snapshot>& history, Snapshot snapshot);
    void restore(std::deque<Snapshot>& from, std::deque<Snapshot>& to);
    void announceChange(const QString& before);

    // The standard editing and caret keys; true when the key was one.
    bool runEditingKey(QKeyEvent* event);
    bool runCaretKey(QKeyEvent* event);
    void moveCursor(qsizetype position, bool mark);
    [[nodiscard]] qsizetype nextCharacter(qsizetype position) const;
    [[nodiscard]] qsizetype previousCharacter(qsizetype position) const;
    [[nodiscard]] qsizetype nextWord(qsizetype position) const;
    [[nodiscard]] qsizetype previousWord(qsizetype position) const;
    void selectWordAt(qsizetype position);

    void initStyleOption(QStyleOptionFrame* option) const;
    [[nodiscard]] QRect lineRect() const;
    // Lays out the text from `start` in one line, far enough to pass `width`
    // pixels and to reach `through`, or to the text's end; returns where the
    // piece ends. With `preedit`, the input method's text is shown at the
    // caret.
    qsizetype layOut(QTextLayout& layout, qsizetype start, qreal width, qsizetype through = 0,
                     bool preedit = false) const;
    [[nodiscard]] qsizetype surroundingStart() const;
    // Scrolls, as little as it can, to bring the caret on view, and leaves
    // no blank at the right while text lies beyond the left edge.
    void scrollToCursor();
    // Puts `position` at the right edge of the view, or the text's start at
    // the left edge when everything before `position` fits.
    void scrollToRightEdge(qsizetype position);
    void changed();
    void restartBlinking();

    QString text_;
    qsizetype cursor_ = 0;
    qsizetype anchor_ = 0; // the selection's other end; the caret's place when none
    // The view: the character at viewStart_ begins viewShift_ pixels left
    // of the line's left edge.
    qsizetype viewStart_ = 0;
    int viewShift_ = 0;
    QString preedit_; // the input method's text not yet given, shown at the caret
    qsizetype preeditCursor_ = 0;
    qsizetype dropPosition_ = -1;

    std::deque<Snapshot> undo_;
    std::deque<Snapshot> redo_;
    qsizetype historySize_ = 0; // characters held by both histories
    bool typing_ = false;       // the last undo step is typing that goes on

    bool caretOn_ = false;
    QBasicTimer blink_;
    QBasicTimer tripleClick_;
    QPoint tripleClickPoint_;
    QLabel* notice_ = nullptr;
    QBasicTimer noticeTimer_;
};

} // namespace rurozovizera::ui
