#include "display_box.h"

#include "display_box_accessible.h"

#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QSignalBlocker>
#include <QValidator>

#include <algorithm>
#include <limits>

namespace rurozovizera::ui {

// The limit on every edit the line edit makes. The line edit asks it once
// the edit is made; when it refuses, the line edit takes the edit back whole
// (text, caret and selection) before it reports it, and emits
// inputRejected(). The box checks beforehand only where that falls short:
//   - undo and redo, whose steps the line edit does not take back;
//   - a drop, which the line edit accepts before it inserts the text, so
//     that a text dragged here to be moved would leave where it came from;
//   - the middle button, with which the line edit drops the selection
//     before it pastes;
//   - a screen reader's edits (display_box_accessible.cpp);
//   - pastes, since the line edit puts a pasted text into its undo history
//     a character at a time (some 20 bytes each) before it asks, and takes
//     it out again a character at a time: a clipboard of a few hundred MiB
//     would take all the memory the limit is there to keep.
class DisplayBox::LengthCheck : public QValidator {
public:
    explicit LengthCheck(DisplayBox* box) : QValidator(box), box_(box) {}

    State validate(QString& text, int&) const override {
        return !box_->checking_ || fits(text.size(), box_->lengthBefore_) ? Acceptable : Invalid;
    }

private:
    const DisplayBox* box_;
};

DisplayBox::DisplayBox(QWidget* parent) : QLineEdit(parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleDisplayBox);
        return true;
    }();
    (void)accessible;
    // A line edit cuts every text it is given at its maximum length, and the
    // keys' texts are never cut.
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new LengthCheck(this));
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { lengthBefore_ = text.size(); });
    connect(this, &QLineEdit::inputRejected, this, &DisplayBox::refuse);
}

void DisplayBox::setKeysText(const QString& text) {
    checking_ = false;
    setText(text);
    checking_ = true;
    keysLength_ = text.size();
}

bool DisplayBox::allowsEdit(qsizetype removed, qsizetype added) {
    const qsizetype length = text().size();
    if (fits(length - std::min(removed, length) + added, length))
        return true;
    refuse();
    return false;
}

bool DisplayBox::fits(qsizetype newLength, qsizetype oldLength) {
    return newLength <= kUserLimit || newLength <= oldLength;
}

bool DisplayBox::allowsPaste(QClipboard::Mode mode) {
    return allowsEdit(selectionLength(), QGuiApplication::clipboard()->text(mode).size());
}

bool DisplayBox::allowsHistoryStep(bool undoing) {
    // Every text in the history comes from the keys' last text by edits the
    // limit let through: only when that text was longer than the limit can
    // a step make the text too long.
    if (keysLength_ <= kUserLimit || !(undoing ? isUndoAvailable() : isRedoAvailable()))
        return true;
    // The step is tried out unseen and taken back: a step of the history and
    // its reverse bring back the same text. Then the caret and the selection
    // are put back as they were.
    const qsizetype before = text().size();
    const int caret = cursorPosition();
    const int start = selectionStart();
    const int length = selectionLength();
    qsizetype after = 0;
    {
        const QSignalBlocker quiet(this);
        checking_ = false;
        if (undoing) {
            QLineEdit::undo();
            after = text().size();
            QLineEdit::redo();
        } else {
            QLineEdit::redo();
            after = text().size();
            QLineEdit::undo();
        }
        if (length > 0 && caret == start)
            setSelection(start + length, -length);
        else if (length > 0)
            setSelection(start, length);
        else
            setCursorPosition(caret);
        checking_ = true;
    }
    // As an edit, the step puts a text of `after` characters in place of
    // the whole text.
    return allowsEdit(before, after);
}

void DisplayBox::undo() {
    if (allowsHistoryStep(true))
        QLineEdit::undo();
}

void DisplayBox::redo() {
    if (allowsHistoryStep(false))
        QLineEdit::redo();
}

void DisplayBox::paste() {
    if (allowsPaste(QClipboard::Clipboard))
        QLineEdit::paste();
}

void DisplayBox::refuse() {
    ++refusals_;
    QApplication::beep();
    if (!notice_) {
        notice_ = new QLabel(parentWidget() ? parentWidget() : this);
        notice_->setObjectName(QStringLiteral("refusalNotice"));
        notice_->setText(QStringLiteral("Not taken: at most %1 characters")
                             .arg(QLocale(QLocale::English).toString(kUserLimit)));
        notice_->setWordWrap(true);
        // Clicks go through it to the keys beneath.
        notice_->setAttribute(Qt::WA_TransparentForMouseEvents);
        notice_->setFrameStyle(QFrame::Box | QFrame::Plain);
        notice_->setMargin(2);
        notice_->setForegroundRole(QPalette::ToolTipText);
        notice_->setBackgroundRole(QPalette::ToolTipBase);
        notice_->setAutoFillBackground(true);
    }
    // Just below the box, across its width, in front of whatever lies there.
    const QRect box = notice_->parentWidget() == this ? rect() : geometry();
    notice_->setGeometry(box.left(), box.bottom() + 1, box.width(),
                         notice_->heightForWidth(box.width()));
    notice_->show();
    notice_->raise();
    noticeTimer_.start(kNoticeTime, this);
    QAccessibleEvent alert(notice_, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

QRect DisplayBox::characterRect(int position) const {
    const QString shown = text();
    if (position < 0 || position >= shown.size())
        return {};
    // Measured from the caret, which the line edit places.
    const QFontMetrics metrics = fontMetrics();
    const QRect caretBox = cursorRect();
    const int caret = cursorPosition();
    const int between =
        metrics.horizontalAdvance(shown.mid(std::min(caret, position), std::abs(position - caret)));
    const int left = caretBox.center().x() + (position < caret ? -between : between);
    return {left, caretBox.top(), metrics.horizontalAdvance(shown.mid(position, 1)),
            caretBox.height()};
}

void DisplayBox::keyPressEvent(QKeyEvent* event) {
    bool allowed = true;
    if (event->matches(QKeySequence::Undo))
        allowed = allowsHistoryStep(true);
    else if (event->matches(QKeySequence::Redo))
        allowed = allowsHistoryStep(false);
    else if (event->matches(QKeySequence::Paste))
        // Ctrl+Shift+Insert, where it pastes, pastes the X11 selection.
        allowed =
            allowsPaste(event->key() == Qt::Key_Insert &&
                                event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)
                            ? QClipboard::Selection
                            : QClipboard::Clipboard);
    if (allowed)
        QLineEdit::keyPressEvent(event);
    else
        event->accept();
}

void DisplayBox::inputMethodEvent(QInputMethodEvent* event) {
    const int refusals = refusals_;
    QLineEdit::inputMethodEvent(event);
    if (refusals_ == refusals)
        return;
    // The commit was refused and taken back, but the line edit placed what
    // the input method composes after the commit first: it goes back to the
    // caret, where it stood.
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&composing);
}

void DisplayBox::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button drops the selection and pastes the X11 selection at
    // the caret.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
        !allowsEdit(0, QGuiApplication::clipboard()->text(QClipboard::Selection).size())) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void DisplayBox::dropEvent(QDropEvent* event) {
    // The line edit inserts a dropped text where it falls, taking nothing
    // away. A refused drop is ignored, so that a text dragged here to be
    // moved is not taken from where it came.
    const QString dropped = event->mimeData()->text();
    if (!dropped.isNull() && !allowsEdit(0, dropped.size())) {
        event->ignore();
        QDragLeaveEvent left;
        QLineEdit::dragLeaveEvent(&left);
        return;
    }
    QLineEdit::dropEvent(event);
}

void DisplayBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() != noticeTimer_.timerId()) {
        QLineEdit::timerEvent(event);
        return;
    }
    noticeTimer_.stop();
    if (notice_)
        notice_->hide();
}

} // namespace rurozovizera::ui
