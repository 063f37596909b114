#include "display_box.h"

#include "display_box_accessible.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QSignalBlocker>
#include <QValidator>

#include <algorithm>
#include <functional>
#include <limits>
#include <utility>

namespace rurozovizera::ui {

namespace {

// Whether the line edit takes a key's text as typing, by the toolkit's own
// rule: a text that starts with a printable, format or private-use
// character, or with a character beyond sixteen bits, on a key not held
// with Ctrl alone or with Ctrl and Shift.
bool typesText(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    if (first.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    return first.isPrint() || first.category() == QChar::Other_PrivateUse ||
           (first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate());
}

// How many characters the line edit takes out of the text for an input
// method's commit: the selection, then the characters the input method
// replaces, counted from the caret where the selection has gone.
qsizetype removedBy(const QLineEdit& box, const QInputMethodEvent& event) {
    qsizetype length = box.text().size();
    qsizetype caret = box.cursorPosition();
    qsizetype removed = 0;
    if (box.hasSelectedText()) {
        removed = box.selectionLength();
        caret = box.selectionStart();
        length -= removed;
    }
    caret = std::max<qsizetype>(0, caret + event.replacementStart());
    if (event.replacementLength() > 0 && caret + event.replacementLength() <= length)
        removed += event.replacementLength();
    return removed;
}

} // namespace

// The line edit's own check of every change of its text, as the last guard.
// The box checks each way an edit of the user's comes in before the line
// edit makes it; this refuses any other that would make the text too long,
// and the line edit then takes the edit back before it reports it.
class DisplayBox::LengthCheck : public QValidator {
public:
    explicit LengthCheck(DisplayBox* box) : QValidator(box), box_(box) {}

    State validate(QString& text, int&) const override {
        if (!box_->checking_ || box_->allows(text.size(), box_->lengthBefore_))
            return Acceptable;
        return Invalid;
    }

private:
    DisplayBox* box_;
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
}

void DisplayBox::setKeysText(const QString& text) {
    checking_ = false;
    setText(text);
    checking_ = true;
    keysLength_ = text.size();
}

bool DisplayBox::allowsEdit(qsizetype removed, qsizetype added) {
    const qsizetype length = text().size();
    return allows(length - std::min(removed, length) + added, length);
}

bool DisplayBox::allows(qsizetype newLength, qsizetype oldLength) {
    if (newLength <= kUserLimit || newLength <= oldLength)
        return true;
    refuse();
    return false;
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
            undo();
            after = text().size();
            redo();
        } else {
            redo();
            after = text().size();
            undo();
        }
        if (length > 0 && caret == start)
            setSelection(start + length, -length);
        else if (length > 0)
            setSelection(start, length);
        else
            setCursorPosition(caret);
        checking_ = true;
    }
    return allows(after, before);
}

void DisplayBox::refuse() {
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

QMenu* DisplayBox::createContextMenu() {
    QMenu* menu = createStandardContextMenu();
    // The line edit's entries call its slots by name; these three go through
    // the limit first.
    const std::pair<const char*, std::function<void()>> checked[] = {
        {SLOT(undo()),
         [this] {
             if (allowsHistoryStep(true))
                 undo();
         }},
        {SLOT(redo()),
         [this] {
             if (allowsHistoryStep(false))
                 redo();
         }},
        {SLOT(paste()),
         [this] {
             if (allowsPaste(QClipboard::Clipboard))
                 paste();
         }},
    };
    for (QAction* entry : menu->actions())
        for (const auto& [slot, run] : checked)
            if (disconnect(entry, SIGNAL(triggered()), this, slot))
                connect(entry, &QAction::triggered, this, run);
    return menu;
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
    else if (typesText(*event))
        allowed = allowsEdit(selectionLength(), event->text().size());
    if (allowed)
        QLineEdit::keyPressEvent(event);
    else
        event->accept();
}

void DisplayBox::inputMethodEvent(QInputMethodEvent* event) {
    const QString& committed = event->commitString();
    if (committed.isEmpty() || allowsEdit(removedBy(*this, *event), committed.size())) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The commit is refused whole; what the input method composes stays on
    // view.
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&composing);
    event->accept();
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

void DisplayBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
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
