// The display box on its own: the limit on the user's own edits along every
// way an edit comes in, the notice of a refused edit, the keys' texts
// beyond the limit, and the screen reader's view. The editing itself is the
// toolkit's line edit. Runs under the offscreen platform and again under
// X11, where the middle button pastes the selection.
#include "window_testing.h"

#include <QAccessible>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalBlocker>
#include <QSignalSpy>

#include <memory>

using namespace rurozovizera::ui;
using namespace rurozovizera::ui::test_support;

namespace {

constexpr qsizetype kLimit = DisplayBox::kUserLimit;

QString ones(qsizetype count) { return QString(count, QLatin1Char('1')); }

QAccessibleInterface* accessible(DisplayBox* box) {
    return QAccessible::queryAccessibleInterface(box);
}

// Triggers the entry of the box's own context menu whose caption starts so.
void chooseFromMenu(DisplayBox* box, const QString& caption) {
    std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions())
        if (action->text().startsWith(caption))
            chosen = action;
    QVERIFY2(chosen, qPrintable(QStringLiteral("no entry ") + caption));
    chosen->trigger();
}

} // namespace

class DisplayBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }

    void init() {
        window_ = std::make_unique<QWidget>();
        window_->resize(250, 120);
        box_ = new DisplayBox(window_.get());
        box_->setGeometry(8, 0, 233, 25);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->activateWindow();
        box_->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() {
        window_.reset();
        QGuiApplication::clipboard()->clear();
    }

    void theKeysSetAnyText() {
        QSignalSpy edited(box_, &DisplayBox::textEdited);
        // Far beyond both the user's limit and a line edit's own default
        // maximum, and never cut short.
        const QString long_ = ones(2 * kLimit + 10) + QStringLiteral("2");
        box_->setKeysText(long_);
        QVERIFY(box_->text() == long_);
        QCOMPARE(box_->cursorPosition(), long_.size());
        QVERIFY(!box_->isUndoAvailable());
        QVERIFY(edited.isEmpty());
        QVERIFY(!box_->refusalNotice());
    }

    // Every way the user's edits come in, each adding `added` ones to a text
    // of `before` ones that the keys have set.
    void userEditsStopAtTheLimit_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<qsizetype>("before");
        QTest::addColumn<qsizetype>("added");
        QTest::addColumn<bool>("taken");
        const char* ways[] = {"typing",
                              "paste key",
                              "selection paste key",
                              "paste in the menu",
                              "middle button",
                              "drop",
                              "moving drop",
                              "input method",
                              "input method replacing",
                              "undo key",
                              "undo in the menu",
                              "insert",
                              "screen reader insert",
                              "screen reader replace",
                              "screen reader value"};
        // The ways through the X11 selection are tried where there is one:
        // in the run of these tests on an X server, not in the offscreen run.
        const bool selection = QGuiApplication::clipboard()->supportsSelection();
        for (const char* way : ways) {
            if (!selection &&
                (qstrcmp(way, "middle button") == 0 || qstrcmp(way, "selection paste key") == 0))
                continue;
            const auto row = [way](const char* what) -> QTestData& {
                return QTest::addRow("%s: %s", way, what) << QString::fromLatin1(way);
            };
            row("up to the limit") << kLimit - 1 << qsizetype{1} << true;
            row("one past the limit") << kLimit << qsizetype{1} << false;
            row("longer than the keys left it") << kLimit + 5 << qsizetype{1} << false;
            if (qstrcmp(way, "typing") != 0) {
                row("a paste of the whole limit") << qsizetype{0} << kLimit << true;
                row("a paste twice the limit") << qsizetype{3} << 2 * kLimit << false;
            }
        }
    }

    void userEditsStopAtTheLimit() {
        QFETCH(QString, way);
        QFETCH(qsizetype, before);
        QFETCH(qsizetype, added);
        QFETCH(bool, taken);
        prepare(way, before, added);
        const QString start = box_->text();
        QCOMPARE(start.size(), before);
        QSignalSpy edited(box_, &DisplayBox::textEdited);
        addOnes(way, added);
        if (QTest::currentTestFailed())
            return;
        if (taken) {
            QCOMPARE(box_->text().size(), before + added);
            QVERIFY(box_->text() == ones(before + added));
            QCOMPARE(edited.size(), 1);
            QVERIFY(!box_->refusalNotice() || !box_->refusalNotice()->isVisible());
        } else {
            // Refused whole: nothing was cut short, and the box says so.
            QCOMPARE(box_->text().size(), before);
            QVERIFY(box_->text() == start);
            QVERIFY(edited.isEmpty());
            QLabel* notice = box_->refusalNotice();
            QVERIFY(notice && notice->isVisible());
            QCOMPARE(notice->text(), QStringLiteral("Not taken: at most 32,767 characters"));
        }
        if (way.endsWith(QStringLiteral("drop")))
            // A refused drop is not taken, so a moved text stays where it was.
            QCOMPARE(dropTaken_, taken);
    }

    void shorterEditsGoOnBeyondTheLimit() {
        box_->setKeysText(ones(kLimit + 5));
        QTest::keyClick(box_, Qt::Key_Backspace);
        QCOMPARE(box_->text().size(), kLimit + 4);
        box_->setSelection(0, 2);
        QTest::keyClick(box_, Qt::Key_2);
        QCOMPARE(box_->text().size(), kLimit + 3);
        QTest::keyClick(box_, Qt::Key_End);
        // An input method's word put in place of a longer one.
        QInputMethodEvent committed;
        committed.setCommitString(QStringLiteral("3"), -2, 2);
        QApplication::sendEvent(box_, &committed);
        QCOMPARE(box_->text().size(), kLimit + 2);
        QVERIFY(box_->text().endsWith(QStringLiteral("3")));
        QVERIFY(!box_->refusalNotice());
    }

    // A refused commit leaves what the input method composes at the caret.
    void aRefusedCommitKeepsTheComposingText() {
        box_->setKeysText(ones(kLimit));
        box_->setCursorPosition(2);
        QInputMethodEvent composing(QStringLiteral("WW"), {});
        QApplication::sendEvent(box_, &composing);
        const QRect atTheCaret = box_->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        composing.setCommitString(QStringLiteral("111"));
        QApplication::sendEvent(box_, &composing);
        QVERIFY(box_->text() == ones(kLimit));
        QCOMPARE(box_->inputMethodQuery(Qt::ImCursorRectangle).toRect(), atTheCaret);
    }

    // The undo history of a text the keys made longer than the limit: undo
    // and redo go on while they do not make it too long.
    void theHistoryOfALongText() {
        box_->setKeysText(ones(kLimit + 5));
        QTest::keyClick(box_, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box_, Qt::Key_5);
        // Typing after the caret has moved is an undo step of its own.
        QTest::keyClick(box_, Qt::Key_Home);
        QTest::keyClick(box_, Qt::Key_End);
        QTest::keyClicks(box_, "12");
        QSignalSpy edited(box_, &DisplayBox::textEdited);
        QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box_->text(), QStringLiteral("5"));
        QVERIFY(!box_->refusalNotice());
        // Back to the long text would be too long.
        QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box_->text(), QStringLiteral("5"));
        QVERIFY(box_->refusalNotice() && box_->refusalNotice()->isVisible());
        chooseFromMenu(box_, QStringLiteral("&Undo"));
        QCOMPARE(box_->text(), QStringLiteral("5"));
        QCOMPARE(edited.size(), 1);
        sendStandardKey(QKeySequence::Redo);
        QCOMPARE(box_->text(), QStringLiteral("512"));
        QCOMPARE(edited.size(), 2);
    }

    // A refused undo leaves the caret, the selection and the history as they
    // were.
    void aRefusedUndoChangesNothing() {
        box_->setKeysText(ones(kLimit + 5) + QStringLiteral("2"));
        box_->setSelection(static_cast<int>(kLimit + 3), 3);
        QTest::keyClick(box_, Qt::Key_5);
        const QString typed = ones(kLimit + 3) + QStringLiteral("5");
        QVERIFY(box_->text() == typed);
        box_->setSelection(3, -2);
        QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(box_->text() == typed);
        QCOMPARE(box_->selectedText(), QStringLiteral("11"));
        QCOMPARE(box_->selectionStart(), 1);
        QCOMPARE(box_->cursorPosition(), 1);
        QVERIFY(box_->isUndoAvailable());
        QVERIFY(!box_->isRedoAvailable());
    }

    void theNoticeGoesAwayByItself() {
        box_->setKeysText(ones(kLimit));
        QTest::keyClick(box_, Qt::Key_1);
        QLabel* notice = box_->refusalNotice();
        QVERIFY(notice && notice->isVisible());
        // Beside the box, not in a window of its own that would take the focus.
        QVERIFY(!notice->isWindow());
        QCOMPARE(notice->geometry().top(), box_->geometry().bottom() + 1);
        QCOMPARE(QApplication::focusWidget(), box_);
        QTRY_VERIFY_WITH_TIMEOUT(!notice->isVisible(), DisplayBox::kNoticeTime + 2000);
        // Typing goes on as before.
        QTest::keyClick(box_, Qt::Key_Backspace);
        QCOMPARE(box_->text().size(), kLimit - 1);
    }

    void screenReadersReadAndEdit() {
        box_->setAccessibleName(QStringLiteral("display"));
        box_->setKeysText(QStringLiteral("12345"));
        QAccessibleInterface* reader = accessible(box_);
        QVERIFY(reader);
        QCOMPARE(reader->role(), QAccessible::EditableText);
        QCOMPARE(reader->text(QAccessible::Name), QStringLiteral("display"));
        QCOMPARE(reader->text(QAccessible::Value), QStringLiteral("12345"));
        QVERIFY(reader->state().editable);
        QAccessibleTextInterface* text = reader->textInterface();
        QVERIFY(text);
        QCOMPARE(text->characterCount(), 5);
        QCOMPARE(text->text(1, 3), QStringLiteral("23"));
        text->setSelection(0, 1, 4);
        QCOMPARE(box_->selectedText(), QStringLiteral("234"));
        int start = 0;
        int end = 0;
        text->selection(0, &start, &end);
        QCOMPARE(start, 1);
        QCOMPARE(end, 4);
        // The characters lie left to right, where a click finds them again.
        const QRect second = text->characterRect(1);
        const QRect third = text->characterRect(2);
        QVERIFY(!second.isEmpty() && third.left() > second.left());
        QCOMPARE(text->offsetAtPoint(third.center()), 2);
        QVERIFY(text->characterRect(5).isEmpty());

        QSignalSpy edited(box_, &DisplayBox::textEdited);
        QAccessibleEditableTextInterface* editor = reader->editableTextInterface();
        QVERIFY(editor);
        editor->insertText(5, QStringLiteral("6"));
        editor->deleteText(0, 1);
        editor->replaceText(0, 2, QStringLiteral("9"));
        reader->setText(QAccessible::Value, reader->text(QAccessible::Value) + QStringLiteral("0"));
        QCOMPARE(box_->text(), QStringLiteral("94560"));
        // Each of them is the user's edit, which the calculator must see, and
        // can be undone as one.
        QCOMPARE(edited.size(), 4);
        QCOMPARE(edited.last().at(0).toString(), QStringLiteral("94560"));
        QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box_->text(), QStringLiteral("9456"));
    }

private:
    // Gives the box `before` ones as the keys do; for an undo, the keys give
    // it `added` ones more, which the user then deletes.
    void prepare(const QString& way, qsizetype before, qsizetype added) {
        if (!way.startsWith(QStringLiteral("undo"))) {
            box_->setKeysText(ones(before));
            return;
        }
        box_->setKeysText(ones(before + added));
        box_->setSelection(static_cast<int>(before), static_cast<int>(added));
        QTest::keyClick(box_, Qt::Key_Delete);
        if (box_->refusalNotice())
            box_->refusalNotice()->hide();
    }

    // Adds `count` ones at the end of the text, the given way.
    void addOnes(const QString& way, qsizetype count) {
        const QString added = ones(count);
        const int end = static_cast<int>(box_->text().size());
        const int replaced = end > 0 ? 1 : 0;
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (way == "typing") {
            QCOMPARE(count, qsizetype{1});
            QTest::keyClick(box_, Qt::Key_1);
        } else if (way == "paste key") {
            clipboard->setText(added);
            QTest::keyClick(box_, Qt::Key_V, Qt::ControlModifier);
        } else if (way == "selection paste key") {
            clipboard->setText(added, QClipboard::Selection);
            QTest::keyClick(box_, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
        } else if (way == "paste in the menu") {
            clipboard->setText(added);
            chooseFromMenu(box_, QStringLiteral("&Paste"));
        } else if (way == "middle button") {
            clipboard->setText(added, QClipboard::Selection);
            QTest::mouseClick(box_, Qt::MiddleButton, {}, QPoint(box_->width() - 4, 12));
        } else if (way.endsWith(QStringLiteral("drop"))) {
            const Qt::DropAction action = way == "drop" ? Qt::CopyAction : Qt::MoveAction;
            QMimeData dragged;
            dragged.setText(added);
            const QPoint point(box_->width() - 4, 12);
            QDragEnterEvent enter(point, action, &dragged, Qt::LeftButton, {});
            QApplication::sendEvent(box_, &enter);
            QDropEvent drop(point, action, &dragged, Qt::LeftButton, {});
            QApplication::sendEvent(box_, &drop);
            dropTaken_ = drop.isAccepted() && drop.dropAction() == action;
        } else if (way == "input method") {
            QInputMethodEvent committed;
            committed.setCommitString(added);
            QApplication::sendEvent(box_, &committed);
        } else if (way == "input method replacing") {
            // The last character typed, and the new ones after it, as one word.
            QInputMethodEvent committed;
            committed.setCommitString(ones(replaced) + added, -replaced, replaced);
            QApplication::sendEvent(box_, &committed);
        } else if (way == "undo key") {
            QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);
        } else if (way == "undo in the menu") {
            chooseFromMenu(box_, QStringLiteral("&Undo"));
        } else if (way == "insert") {
            box_->insert(added);
        } else if (way == "screen reader insert") {
            accessible(box_)->editableTextInterface()->insertText(end, added);
        } else if (way == "screen reader replace") {
            accessible(box_)->editableTextInterface()->replaceText(0, replaced,
                                                                   ones(replaced) + added);
        } else if (way == "screen reader value") {
            accessible(box_)->setText(QAccessible::Value, box_->text() + added);
        } else {
            QFAIL(qPrintable(QStringLiteral("no way ") + way));
        }
    }

    void sendStandardKey(QKeySequence::StandardKey key) {
        const QKeyCombination combination = QKeySequence(key)[0];
        QTest::keyClick(box_, combination.key(), combination.keyboardModifiers());
    }

    std::unique_ptr<QWidget> window_;
    DisplayBox* box_ = nullptr;
    bool dropTaken_ = false;
};

QTEST_MAIN(DisplayBoxTest)
#include "display_box_test.moc"
