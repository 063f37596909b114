#include "display_box.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <utility>

namespace rurozovizera::ui {

namespace {

// Room between the frame and the text, as a line edit leaves it.
constexpr int kHorizontalMargin = 2;
// The undo and redo histories together hold at most this many characters;
// the oldest steps go first.
constexpr qsizetype kHistoryLimit = 4 * DisplayBox::kUserLimit;
// A piece of the line is first laid out this many characters long, then
// four times as long until it is wide enough, but never longer than the
// longest piece: characters without width cannot make a key's click slow.
constexpr qsizetype kFirstPiece = 64;
constexpr qsizetype kLongestPiece = 16384;
// How much text around the caret an input method sees.
constexpr qsizetype kSurroundingText = 1024;
// How far a character (a grapheme cluster) is looked for.
constexpr qsizetype kLongestCharacter = 64;

// A position moved back off the middle of a surrogate pair.
qsizetype alignedBack(const QString& text, qsizetype position) {
    if (position > 0 && position < text.size() && text[position].isLowSurrogate() &&
        text[position - 1].isHighSurrogate())
        return position - 1;
    return position;
}

// A piece of the text as it is drawn: control characters and line breaks
// as blanks, so that no font draws them as boxes.
QString drawable(QStringView piece) {
    QString shown = piece.toString();
    for (QChar& c : shown)
        if ((c.unicode() < 0x20 && c != u'\t') || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter)
            c = u' ';
    return shown;
}

void layOutLine(QTextLayout& layout, const QString& piece, const QFont& font) {
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.clearLayout();
    layout.setText(piece);
    layout.setFont(font);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

// What a screen reader sees of a display box: its text, caret and selection,
// and the same edits the user makes by hand, each through the box's limit.
class DisplayBoxAccessible : public QAccessibleWidget,
                             public QAccessibleTextInterface,
                             public QAccessibleEditableTextInterface {
public:
    explicit DisplayBoxAccessible(DisplayBox* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.selectableText = true;
        return state;
    }

    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? box()->text() : QAccessibleWidget::text(kind);
    }

    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind == QAccessible::Value)
            box()->replace(0, box()->text().size(), text);
        else
            QAccessibleWidget::setText(kind, text);
    }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = static_cast<int>(box()->selectionStart());
            *end = static_cast<int>(box()->selectionEnd());
        }
    }
    [[nodiscard]] int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0)
            box()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0)
            box()->setSelection(start, end - start);
    }
    [[nodiscard]] int cursorPosition() const override {
        return static_cast<int>(box()->cursorPosition());
    }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    [[nodiscard]] QString text(int start, int end) const override {
        return box()->text().mid(start, end - start);
    }
    [[nodiscard]] int characterCount() const override {
        return static_cast<int>(box()->text().size());
    }
    [[nodiscard]] QRect characterRect(int offset) const override {
        const QRect local = box()->characterRect(offset);
        return local.isEmpty() ? QRect() : QRect(box()->mapToGlobal(local.topLeft()), local.size());
    }
    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override {
        return static_cast<int>(box()->positionAt(box()->mapFromGlobal(point)));
    }
    void scrollToSubstring(int start, int end) override {
        box()->setCursorPosition(end);
        box()->setCursorPosition(start);
    }
    [[nodiscard]] QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    void deleteText(int start, int end) override { box()->replace(start, end - start, {}); }
    void insertText(int offset, const QString& text) override { box()->replace(offset, 0, text); }
    void replaceText(int start, int end, const QString& text) override {
        box()->replace(start, end - start, text);
    }

private:
    [[nodiscard]] DisplayBox* box() const { return static_cast<DisplayBox*>(widget()); }
};

QAccessibleInterface* accessibleDisplayBox(const QString& className, QObject* object) {
    if (object && object->isWidgetType() &&
        className == QLatin1String(DisplayBox::staticMetaObject.className()))
        return new DisplayBoxAccessible(static_cast<DisplayBox*>(object));
    return nullptr;
}

} // namespace

DisplayBox::DisplayBox(QWidget* parent) : QWidget(parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleDisplayBox);
        return true;
    }();
    (void)accessible;
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_KeyCompression);
    setCursor(Qt::IBeamCursor);
    setAcceptDrops(true);
    setBackgroundRole(QPalette::Base);
}

DisplayBox::~DisplayBox() = default;

void DisplayBox::setText(const QString& text) {
    if (!preedit_.isEmpty() && hasFocus())
        QGuiApplication::inputMethod()->reset();
    preedit_.clear();
    preeditCursor_ = 0;
    const QString before = std::exchange(text_, text);
    cursor_ = anchor_ = text_.size();
    undo_.clear();
    redo_.clear();
    historySize_ = 0;
    typing_ = false;
    announceChange(before);
    changed();
}

bool DisplayBox::insert(const QString& text) {
    return edit(selectionStart(), selectionEnd() - selectionStart(), text, Step::Edit);
}

bool DisplayBox::replace(qsizetype start, qsizetype length, const QString& text) {
    return edit(start, length, text, Step::Edit);
}

bool DisplayBox::allows(qsizetype newLength) {
    if (newLength > kUserLimit && newLength > text_.size()) {
        refuse();
        return false;
    }
    return true;
}

bool DisplayBox::edit(qsizetype start, qsizetype length, const QString& text, Step step) {
    start = std::clamp<qsizetype>(start, 0, text_.size());
    length = std::clamp<qsizetype>(length, 0, text_.size() - start);
    if (!allows(text_.size() - length + text.size()))
        return false;
    QString next = text_;
    next.replace(start, length, text);
    change(std::move(next), start + text.size(), start + text.size(), step);
    return true;
}

void DisplayBox::change(QString next, qsizetype cursor, qsizetype anchor, Step step) {
    // Typing goes on while the user types character after character, and
    // is undone as one step.
    const bool typingGoesOn = step == Step::Typing && typing_ && !hasSelectedText();
    if (step != Step::History && !typingGoesOn) {
        for (const Snapshot& undone : redo_)
            historySize_ -= undone.text.size();
        redo_.clear();
        remember(undo_, {text_, cursor_, anchor_});
    }
    typing_ = step == Step::Typing;
    const QString before = std::exchange(text_, std::move(next));
    cursor_ = cursor;
    anchor_ = anchor;
    announceChange(before);
    changed();
    emit textEdited(text_);
}

void DisplayBox::remember(std::deque<Snapshot>& history, Snapshot snapshot) {
    historySize_ += snapshot.text.size();
    history.push_back(std::move(snapshot));
    while (historySize_ > kHistoryLimit && undo_.size() > 1) {
        historySize_ -= undo_.front().text.size();
        undo_.pop_front();
    }
}

void DisplayBox::restore(std::deque<Snapshot>& from, std::deque<Snapshot>& to) {
    if (from.empty() || !allows(from.back().text.size()))
        return;
    Snapshot restored = std::move(from.back());
    from.pop_back();
    historySize_ -= restored.text.size();
    remember(to, {text_, cursor_, anchor_});
    change(std::move(restored.text), restored.cursor, restored.anchor, Step::History);
}

void DisplayBox::undo() { restore(undo_, redo_); }

void DisplayBox::redo() { restore(redo_, undo_); }

void DisplayBox::refuse() {
    typing_ = false;
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

void DisplayBox::announceChange(const QString& before) {
    if (!QAccessible::isActive())
        return;
    const qsizetype shorter = std::min(before.size(), text_.size());
    const qsizetype prefix =
        std::mismatch(before.cbegin(), before.cbegin() + shorter, text_.cbegin()).first -
        before.cbegin();
    const qsizetype suffix =
        std::mismatch(before.crbegin(), before.crbegin() + (shorter - prefix), text_.crbegin())
            .first -
        before.crbegin();
    const QString removed = before.mid(prefix, before.size() - prefix - suffix);
    const QString inserted = text_.mid(prefix, text_.size() - prefix - suffix);
    if (!removed.isEmpty()) {
        QAccessibleTextRemoveEvent event(this, static_cast<int>(prefix), removed);
        QAccessible::updateAccessibility(&event);
    }
    if (!inserted.isEmpty()) {
        QAccessibleTextInsertEvent event(this, static_cast<int>(prefix), inserted);
        QAccessible::updateAccessibility(&event);
    }
}

void DisplayBox::paste(QClipboard::Mode mode) {
    const QString pasted = QGuiApplication::clipboard()->text(mode);
    if (!pasted.isEmpty() || hasSelectedText())
        insert(pasted);
}

void DisplayBox::copy(QClipboard::Mode mode) const {
    if (hasSelectedText())
        QGuiApplication::clipboard()->setText(selectedText(), mode);
}

void DisplayBox::cut() {
    copy();
    del();
}

void DisplayBox::del() {
    if (hasSelectedText())
        insert({});
    else if (cursor_ < text_.size())
        replace(cursor_, nextCharacter(cursor_) - cursor_, {});
}

void DisplayBox::backspace() {
    if (hasSelectedText() || cursor_ == 0) {
        del();
        return;
    }
    // One code point back: the accent typed last goes, not its letter.
    const qsizetype start = alignedBack(text_, cursor_ - 1);
    replace(start, cursor_ - start, {});
}

void DisplayBox::selectAll() {
    anchor_ = 0;
    moveCursor(text_.size(), true);
}

void DisplayBox::deselect() { moveCursor(cursor_, false); }

void DisplayBox::setSelection(qsizetype start, qsizetype length) {
    anchor_ = std::clamp<qsizetype>(start, 0, text_.size());
    moveCursor(start + length, true);
}

QString DisplayBox::selectedText() const {
    return text_.mid(selectionStart(), selectionEnd() - selectionStart());
}

qsizetype DisplayBox::selectionStart() const { return std::min(cursor_, anchor_); }

qsizetype DisplayBox::selectionEnd() const { return std::max(cursor_, anchor_); }

void DisplayBox::setCursorPosition(qsizetype position) { moveCursor(position, false); }

void DisplayBox::moveCursor(qsizetype position, bool mark) {
    typing_ = false;
    cursor_ = std::clamp<qsizetype>(position, 0, text_.size());
    if (!mark)
        anchor_ = cursor_;
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, static_cast<int>(cursor_));
        QAccessible::updateAccessibility(&moved);
        QAccessibleTextSelectionEvent selected(this, static_cast<int>(selectionStart()),
                                               static_cast<int>(selectionEnd()));
        QAccessible::updateAccessibility(&selected);
    }
    changed();
}

qsizetype DisplayBox::nextCharacter(qsizetype position) const {
    const qsizetype end = std::min(text_.size(), position + kLongestCharacter);
    if (position >= end)
        return text_.size();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text_.constData() + position,
                               end - position);
    const qsizetype next = finder.toNextBoundary();
    return next > 0 ? position + next : end;
}

qsizetype DisplayBox::previousCharacter(qsizetype position) const {
    const qsizetype start =
        alignedBack(text_, std::max<qsizetype>(0, position - kLongestCharacter));
    if (position <= start)
        return 0;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text_.constData() + start,
                               position - start);
    finder.toEnd();
    const qsizetype previous = finder.toPreviousBoundary();
    return previous >= 0 ? start + previous : start;
}

// Word moves go to the start of a word, as a line edit's do. They look
// through the whole text, which only the user's own keys ask for.
qsizetype DisplayBox::nextWord(qsizetype position) const {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text_);
    finder.setPosition(position);
    for (qsizetype next = finder.toNextBoundary(); next >= 0; next = finder.toNextBoundary())
        if (finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem)
            return next;
    return text_.size();
}

qsizetype DisplayBox::previousWord(qsizetype position) const {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text_);
    finder.setPosition(position);
    for (qsizetype previous = finder.toPreviousBoundary(); previous >= 0;
         previous = finder.toPreviousBoundary())
        if (finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem)
            return previous;
    return 0;
}

void DisplayBox::selectWordAt(qsizetype position) {
    const qsizetype start = previousWord(std::min(position + 1, text_.size()));
    qsizetype end = nextWord(start);
    while (end > position && end > start && text_[end - 1].isSpace())
        --end;
    anchor_ = start;
    moveCursor(end, true);
}

void DisplayBox::initStyleOption(QStyleOptionFrame* option) const {
    option->initFrom(this);
    option->rect = contentsRect();
    option->lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, option, this);
    option->midLineWidth = 0;
    option->state |= QStyle::State_Sunken;
    option->features = QStyleOptionFrame::None;
}

QRect DisplayBox::lineRect() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    const int height = fontMetrics().height();
    return {contents.x() + kHorizontalMargin, contents.y() + (contents.height() - height + 1) / 2,
            contents.width() - 2 * kHorizontalMargin, height};
}

qsizetype DisplayBox::layOut(QTextLayout& layout, qsizetype start, qreal width, qsizetype through,
                             bool preedit) const {
    through = std::min(through, start + kLongestPiece);
    for (qsizetype length = kFirstPiece;; length *= 4) {
        qsizetype end = std::min(text_.size(), std::max(start + length, through));
        if (end < text_.size() && text_[end].isLowSurrogate())
            ++end;
        QString piece = drawable(QStringView(text_).sliced(start, end - start));
        const bool showsPreedit =
            preedit && !preedit_.isEmpty() && cursor_ >= start && cursor_ <= end;
        if (showsPreedit)
            piece.insert(cursor_ - start, preedit_);
        layOutLine(layout, piece, font());
        if (showsPreedit) {
            QTextLayout::FormatRange underlined{
                static_cast<int>(cursor_ - start), static_cast<int>(preedit_.size()), {}};
            underlined.format.setFontUnderline(true);
            layout.setFormats({underlined});
        }
        if (end == text_.size() || length >= kLongestPiece ||
            (end >= through && layout.lineAt(0).naturalTextWidth() > width))
            return end;
    }
}

qsizetype DisplayBox::surroundingStart() const {
    return alignedBack(text_, std::max<qsizetype>(0, selectionStart() - kSurroundingText));
}

void DisplayBox::scrollToCursor() {
    const int room =
        lineRect().width() - style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    if (cursor_ < viewStart_ || (cursor_ == viewStart_ && viewShift_ > 0)) {
        viewStart_ = cursor_;
        viewShift_ = 0;
    }
    if (cursor_ - viewStart_ > kLongestPiece) {
        scrollToRightEdge(cursor_);
        return;
    }
    QTextLayout layout;
    const qsizetype end = layOut(layout, viewStart_, viewShift_ + room, cursor_);
    const QTextLine line = layout.lineAt(0);
    if (line.cursorToX(static_cast<int>(cursor_ - viewStart_)) - viewShift_ > room)
        scrollToRightEdge(cursor_);
    else if (end == text_.size() && (viewStart_ > 0 || viewShift_ > 0) &&
             line.naturalTextWidth() - viewShift_ < room)
        scrollToRightEdge(text_.size());
}

void DisplayBox::scrollToRightEdge(qsizetype position) {
    const int room =
        lineRect().width() - style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    // Lay out backwards from `position` until the piece fills the view.
    QTextLayout layout;
    qsizetype start = position;
    qreal width = 0;
    for (qsizetype length = kFirstPiece;; length *= 4) {
        start = alignedBack(text_, std::max<qsizetype>(0, position - length));
        layOutLine(layout, drawable(QStringView(text_).sliced(start, position - start)), font());
        width = layout.lineAt(0).naturalTextWidth();
        if (width >= room || start == 0 || length >= kLongestPiece)
            break;
    }
    if (width <= room && start == 0) {
        viewStart_ = 0;
        viewShift_ = 0;
        return;
    }
    const QTextLine line = layout.lineAt(0);
    const qreal left = width - room; // where the view's left edge falls in the piece
    int first = line.xToCursor(left);
    if (line.cursorToX(first) > left)
        first = layout.previousCursorPosition(first);
    viewStart_ = start + first;
    viewShift_ = qRound(left - line.cursorToX(first));
}

void DisplayBox::changed() {
    scrollToCursor();
    restartBlinking();
    if (hasFocus())
        updateMicroFocus();
}

void DisplayBox::restartBlinking() {
    caretOn_ = hasFocus();
    const int flashTime = QApplication::cursorFlashTime();
    if (caretOn_ && flashTime >= 2)
        blink_.start(flashTime / 2, this);
    else
        blink_.stop();
    update();
}

QRect DisplayBox::cursorRect() const {
    const QRect line = lineRect();
    QTextLayout layout;
    layOut(layout, viewStart_, 0, cursor_);
    const qreal x = layout.lineAt(0).cursorToX(static_cast<int>(cursor_ - viewStart_));
    return {line.left() - viewShift_ + qRound(x), line.top(),
            style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this), line.height()};
}

qsizetype DisplayBox::positionAt(QPoint point) const {
    const QRect line = lineRect();
    const int x = point.x() - line.left() + viewShift_;
    if (x < 0)
        return viewStart_ > 0 ? previousCharacter(viewStart_) : 0;
    QTextLayout layout;
    layOut(layout, viewStart_, x);
    return viewStart_ + layout.lineAt(0).xToCursor(x);
}

QRect DisplayBox::characterRect(qsizetype position) const {
    if (position < viewStart_ || position >= text_.size() || position - viewStart_ >= kLongestPiece)
        return {};
    const QRect line = lineRect();
    QTextLayout layout;
    layOut(layout, viewStart_, 0, position + 1);
    const QTextLine textLine = layout.lineAt(0);
    const int left = qRound(textLine.cursorToX(static_cast<int>(position - viewStart_)));
    const int right = qRound(textLine.cursorToX(static_cast<int>(position + 1 - viewStart_)));
    const QRect character(line.left() - viewShift_ + left, line.top(), right - left, line.height());
    return character.intersects(line) ? character : QRect();
}

QMenu* DisplayBox::createStandardContextMenu() {
    auto* menu = new QMenu(this);
    const auto add = [&](const QString& caption, QKeySequence::StandardKey key, bool enabled,
                         auto run) {
        QString text = caption;
        if (key != QKeySequence::UnknownKey)
            text += QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText);
        QAction* action = menu->addAction(text);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, run);
    };
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    add(tr("&Undo"), QKeySequence::Undo, isUndoAvailable(), [this] { undo(); });
    add(tr("&Redo"), QKeySequence::Redo, isRedoAvailable(), [this] { redo(); });
    menu->addSeparator();
    add(tr("Cu&t"), QKeySequence::Cut, hasSelectedText(), [this] { cut(); });
    add(tr("&Copy"), QKeySequence::Copy, hasSelectedText(), [this] { copy(); });
    add(tr("&Paste"), QKeySequence::Paste, clipboard && clipboard->hasText(), [this] { paste(); });
    add(tr("Delete"), QKeySequence::UnknownKey, hasSelectedText(), [this] { del(); });
    menu->addSeparator();
    add(tr("Select All"), QKeySequence::SelectAll, selectionEnd() - selectionStart() < text_.size(),
        [this] { selectAll(); });
    return menu;
}

QVariant DisplayBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    const qsizetype start = surroundingStart();
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: return cursorRect();
    case Qt::ImFont: return font();
    case Qt::ImCursorPosition: return static_cast<int>(cursor_ - start);
    case Qt::ImAnchorPosition: return static_cast<int>(anchor_ - start);
    case Qt::ImAbsolutePosition: return static_cast<int>(cursor_);
    case Qt::ImSurroundingText: return text_.mid(start, selectionEnd() + kSurroundingText - start);
    case Qt::ImCurrentSelection: return selectedText();
    case Qt::ImTextBeforeCursor:
        return text_.mid(std::max<qsizetype>(0, cursor_ - kSurroundingText),
                         std::min(cursor_, kSurroundingText));
    case Qt::ImTextAfterCursor: return text_.mid(cursor_, kSurroundingText);
    case Qt::ImHints: return static_cast<int>(inputMethodHints());
    default: return QWidget::inputMethodQuery(query);
    }
}

void DisplayBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setClipRect(style()->subElementRect(QStyle::SE_LineEditContents, &panel, this));

    const QRect line = lineRect();
    QTextLayout layout;
    const qsizetype end = layOut(layout, viewStart_, viewShift_ + line.width(), 0, true);
    const QTextLine textLine = layout.lineAt(0);
    // The baseline stays where the font puts it, whatever the piece holds.
    const QPointF origin(line.left() - viewShift_,
                         line.top() + fontMetrics().ascent() - textLine.ascent());
    // A position in the text, as a position in the piece laid out.
    const auto inPiece = [&](qsizetype position) {
        const qsizetype shown = std::clamp(position, viewStart_, end) - viewStart_;
        return static_cast<int>(position > cursor_ ? shown + preedit_.size() : shown);
    };
    QList<QTextLayout::FormatRange> selections;
    if (hasSelectedText()) {
        QTextLayout::FormatRange selected{inPiece(selectionStart()), 0, {}};
        selected.length = inPiece(selectionEnd()) - selected.start;
        selected.format.setBackground(panel.palette.highlight());
        selected.format.setForeground(panel.palette.highlightedText());
        selections.append(selected);
    }
    painter.setPen(panel.palette.color(QPalette::Text));
    layout.draw(&painter, origin, selections);

    const int caretWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    if (dropPosition_ >= 0)
        layout.drawCursor(&painter, origin, inPiece(dropPosition_), caretWidth);
    else if (caretOn_ && cursor_ >= viewStart_ && cursor_ <= end)
        layout.drawCursor(&painter, origin, inPiece(cursor_) + static_cast<int>(preeditCursor_),
                          caretWidth);
}

void DisplayBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scrollToCursor();
}

void DisplayBox::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        scrollToCursor();
}

void DisplayBox::keyPressEvent(QKeyEvent* event) {
    if (runEditingKey(event) || runCaretKey(event))
        event->accept();
    else if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier))
        backspace();
    else if (const QString typed = event->text();
             !typed.isEmpty() && QChar::isPrint(typed.toUcs4().front()) &&
             !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        edit(selectionStart(), selectionEnd() - selectionStart(), typed, Step::Typing);
    else
        event->ignore();
}

bool DisplayBox::runEditingKey(QKeyEvent* event) {
    using Keys = QKeySequence;
    const std::pair<Keys::StandardKey, std::function<void()>> commands[] = {
        {Keys::Undo, [this] { undo(); }},
        {Keys::Redo, [this] { redo(); }},
        {Keys::SelectAll, [this] { selectAll(); }},
        {Keys::Copy, [this] { copy(); }},
        {Keys::Cut, [this] { cut(); }},
        {Keys::Paste, [this] { paste(); }},
        {Keys::Delete, [this] { del(); }},
    };
    for (const auto& [key, command] : commands) {
        if (event->matches(key)) {
            command();
            return true;
        }
    }
    const bool toEnd = event->matches(Keys::DeleteEndOfWord);
    if (!toEnd && !event->matches(Keys::DeleteStartOfWord))
        return false;
    if (!hasSelectedText())
        moveCursor(toEnd ? nextWord(cursor_) : previousWord(cursor_), true);
    del();
    return true;
}

bool DisplayBox::runCaretKey(QKeyEvent* event) {
    using Keys = QKeySequence;
    // Where each key takes the caret, and whether the selection follows it.
    struct Move {
        std::initializer_list<Keys::StandardKey> keys;
        std::function<qsizetype()> target;
        bool select;
    };
    const auto start = [] { return qsizetype(0); };
    const auto end = [this] { return text_.size(); };
    const auto nextChar = [this] { return nextCharacter(cursor_); };
    const auto previousChar = [this] { return previousCharacter(cursor_); };
    const auto nextWordStart = [this] { return nextWord(cursor_); };
    const auto previousWordStart = [this] { return previousWord(cursor_); };
    const Move moves[] = {
        // Without Shift, a selection collapses to its near edge.
        {{Keys::MoveToNextChar},
         [&] { return hasSelectedText() ? selectionEnd() : nextChar(); },
         false},
        {{Keys::MoveToPreviousChar},
         [&] { return hasSelectedText() ? selectionStart() : previousChar(); },
         false},
        {{Keys::MoveToNextWord}, nextWordStart, false},
        {{Keys::SelectNextWord}, nextWordStart, true},
        {{Keys::MoveToPreviousWord}, previousWordStart, false},
        {{Keys::SelectPreviousWord}, previousWordStart, true},
        {{Keys::SelectNextChar}, nextChar, true},
        {{Keys::SelectPreviousChar}, previousChar, true},
        {{Keys::MoveToStartOfLine, Keys::MoveToStartOfBlock, Keys::MoveToStartOfDocument},
         start,
         false},
        {{Keys::MoveToEndOfLine, Keys::MoveToEndOfBlock, Keys::MoveToEndOfDocument}, end, false},
        {{Keys::SelectStartOfLine, Keys::SelectStartOfBlock, Keys::SelectStartOfDocument},
         start,
         true},
        {{Keys::SelectEndOfLine, Keys::SelectEndOfBlock, Keys::SelectEndOfDocument}, end, true},
    };
    for (const Move& move : moves) {
        for (const Keys::StandardKey key : move.keys) {
            if (event->matches(key)) {
                moveCursor(move.target(), move.select);
                return true;
            }
        }
    }
    return false;
}

void DisplayBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        return;
    if (!preedit_.isEmpty())
        QGuiApplication::inputMethod()->commit();
    const QPoint point = event->position().toPoint();
    if (tripleClick_.isActive() &&
        (point - tripleClickPoint_).manhattanLength() < QApplication::startDragDistance()) {
        selectAll();
        return;
    }
    moveCursor(positionAt(point), event->modifiers() & Qt::ShiftModifier);
}

void DisplayBox::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        moveCursor(positionAt(event->position().toPoint()), true);
}

void DisplayBox::mouseReleaseEvent(QMouseEvent* event) {
    if (!QGuiApplication::clipboard()->supportsSelection())
        return;
    if (event->button() == Qt::LeftButton)
        copy(QClipboard::Selection);
    else if (event->button() == Qt::MiddleButton) {
        deselect();
        paste(QClipboard::Selection);
    }
}

void DisplayBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    tripleClickPoint_ = event->position().toPoint();
    selectWordAt(positionAt(tripleClickPoint_));
    tripleClick_.start(QApplication::doubleClickInterval(), this);
}

void DisplayBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void DisplayBox::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason)
        selectAll();
    restartBlinking();
    QWidget::focusInEvent(event);
}

void DisplayBox::focusOutEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
        deselect();
    restartBlinking();
    QWidget::focusOutEvent(event);
}

void DisplayBox::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void DisplayBox::dragMoveEvent(QDragMoveEvent* event) {
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    dropPosition_ = positionAt(event->position().toPoint());
    update();
}

void DisplayBox::dragLeaveEvent(QDragLeaveEvent*) {
    dropPosition_ = -1;
    update();
}

void DisplayBox::dropEvent(QDropEvent* event) {
    dropPosition_ = -1;
    const QString dropped = event->mimeData()->text();
    const qsizetype position = positionAt(event->position().toPoint());
    // A refused drop is ignored, so that a text dragged away is not taken
    // from where it came.
    if (dropped.isEmpty() || !replace(position, 0, dropped)) {
        event->ignore();
        update();
        return;
    }
    event->acceptProposedAction();
    setSelection(position, dropped.size());
}

void DisplayBox::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        qsizetype start = selectionStart();
        qsizetype length = selectionEnd() - start;
        if (event->replacementLength() > 0 || event->replacementStart() != 0) {
            start = cursor_ + event->replacementStart();
            length = event->replacementLength();
        }
        edit(start, length, event->commitString(), Step::Edit);
    }
    preedit_ = event->preeditString();
    preeditCursor_ = preedit_.size();
    for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
        if (attribute.type == QInputMethodEvent::Cursor)
            preeditCursor_ = std::clamp<qsizetype>(attribute.start, 0, preedit_.size());
        else if (attribute.type == QInputMethodEvent::Selection)
            setSelection(surroundingStart() + attribute.start, attribute.length);
    }
    event->accept();
    changed();
}

void DisplayBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() == blink_.timerId()) {
        caretOn_ = !caretOn_;
        update();
    } else if (event->timerId() == noticeTimer_.timerId()) {
        noticeTimer_.stop();
        if (notice_)
            notice_->hide();
    } else if (event->timerId() == tripleClick_.timerId()) {
        tripleClick_.stop();
    } else {
        QWidget::timerEvent(event);
    }
}

} // namespace rurozovizera::ui
