// The display box on its own: editing as in any text box, the view of a long
// text, and the limit on the user's own edits along every way an edit comes
// in. Runs under the offscreen platform and again under X11, where the
// middle button pastes the selection.
#include "window_testing.h"

#include <QAccessible>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTestEventList>

#include <memory>

using namespace rurozovizera::ui;
using namespace rurozovizera::ui::testing;

namespace {

constexpr qsizetype kLong = qsizetype{1} << 20;
constexpr qsizetype kLimit = DisplayBox::kUserLimit;

QString ones(qsizetype count) { return QString(count, QLatin1Char('1')); }

QAccessibleInterface* accessible(DisplayBox* box) {
    return QAccessible::queryAccessibleInterface(box);
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

    void editing_data() {
        QTest::addColumn<QTestEventList>("events");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("cursor");
        QTest::addColumn<QString>("selected");
        const auto keys = [](const QString& typed, std::initializer_list<QKeyCombination> then) {
            QTestEventList events;
            events.addKeyClicks(typed);
            for (const QKeyCombination key : then)
                events.addKeyClick(key.key(), key.keyboardModifiers());
            return events;
        };
        const Qt::Key left = Qt::Key_Left;
        QTest::newRow("typing") << keys("12.5", {}) << "12.5" << qsizetype{4} << "";
        QTest::newRow("at the caret")
            << keys("1234", {left, left, Qt::Key_X}) << "12x34" << qsizetype{3} << "";
        QTest::newRow("home and end")
            << keys("234", {Qt::Key_Home, Qt::Key_1, Qt::Key_End, Qt::Key_5}) << "12345"
            << qsizetype{5} << "";
        QTest::newRow("backspace")
            << keys("123", {Qt::Key_Backspace}) << "12" << qsizetype{2} << "";
        QTest::newRow("delete") << keys("123", {Qt::Key_Home, Qt::Key_Delete}) << "23"
                                << qsizetype{0} << "";
        QTest::newRow("select back")
            << keys("12345", {Qt::ShiftModifier | left, Qt::ShiftModifier | left}) << "12345"
            << qsizetype{3} << "45";
        QTest::newRow("type over a selection")
            << keys("12345", {Qt::ShiftModifier | left, Qt::ShiftModifier | left, Qt::Key_9})
            << "1239" << qsizetype{4} << "";
        QTest::newRow("left ends a selection at its start")
            << keys("12345", {Qt::ShiftModifier | left, Qt::ShiftModifier | left, left}) << "12345"
            << qsizetype{3} << "";
        QTest::newRow("select all, delete")
            << keys("12345", {Qt::ControlModifier | Qt::Key_A, Qt::Key_Delete}) << ""
            << qsizetype{0} << "";
        QTest::newRow("word back") << keys("12 34 56", {Qt::ControlModifier | left, Qt::Key_X})
                                   << "12 34 x56" << qsizetype{7} << "";
        QTest::newRow("word forward")
            << keys("12 34 56", {Qt::Key_Home, Qt::ControlModifier | Qt::Key_Right, Qt::Key_X})
            << "12 x34 56" << qsizetype{4} << "";
        QTest::newRow("delete a word back")
            << keys("12 34", {Qt::ControlModifier | Qt::Key_Backspace}) << "12 " << qsizetype{3}
            << "";
        QTest::newRow("undo typing as one step")
            << keys("123", {Qt::ControlModifier | Qt::Key_Z}) << "" << qsizetype{0} << "";
        QTest::newRow("undo the last edit only")
            << keys("123", {Qt::Key_Backspace, Qt::ControlModifier | Qt::Key_Z}) << "123"
            << qsizetype{3} << "";
        QTest::newRow("redo") << keys("123", {Qt::ControlModifier | Qt::Key_Z,
                                              Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z})
                              << "123" << qsizetype{3} << "";
        QTest::newRow("enter is not text")
            << keys("1", {Qt::Key_Return, Qt::Key_Escape}) << "1" << qsizetype{1} << "";
    }

    void editing() {
        QFETCH(QTestEventList, events);
        QFETCH(QString, text);
        QFETCH(qsizetype, cursor);
        QFETCH(QString, selected);
        QSignalSpy edited(box_, &DisplayBox::textEdited);
        events.simulate(box_);
        QCOMPARE(box_->text(), text);
        QCOMPARE(box_->cursorPosition(), cursor);
        QCOMPARE(box_->selectedText(), selected);
        // Every edit is reported with the text it made.
        QVERIFY(!edited.isEmpty());
        QCOMPARE(edited.last().at(0).toString(), text);
    }

    void aCharacterBeyondSixteenBitsIsOneCharacter() {
        QKeyEvent smile(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                        QStringLiteral("1\U0001F600"));
        QApplication::sendEvent(box_, &smile);
        QCOMPARE(box_->text(), QStringLiteral("1\U0001F600"));
        QTest::keyClick(box_, Qt::Key_Left);
        QCOMPARE(box_->cursorPosition(), qsizetype{1});
        QTest::keyClick(box_, Qt::Key_End);
        QTest::keyClick(box_, Qt::Key_Backspace);
        QCOMPARE(box_->text(), QStringLiteral("1"));
    }

    void theKeysSetAnyText() {
        QSignalSpy edited(box_, &DisplayBox::textEdited);
        const QString long_ = ones(kLong + 10);
        box_->setText(long_);
        QVERIFY(box_->text() == long_);
        QCOMPARE(box_->cursorPosition(), long_.size());
        QVERIFY(!box_->isUndoAvailable());
        QVERIFY(edited.isEmpty());
        QVERIFY(!box_->refusalNotice());
    }

    void copyCutAndPasteTheWholeText() {
        const QString million = ones(1'000'000) + QStringLiteral("2");
        box_->setText(million);
        QTest::keyClick(box_, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box_, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text() == million);
        QTest::keyClick(box_, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(box_->text(), QString());
        QTest::keyClick(box_, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(box_->text() == million);
    }

    void contextMenuActs_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("text");
        QTest::newRow("cut") << "Cu&t"
                             << "15";
        QTest::newRow("paste") << "&Paste"
                               << "1pasted5";
        QTest::newRow("delete") << "Delete"
                                << "15";
        QTest::newRow("undo") << "&Undo"
                              << "";
    }

    void contextMenuActs() {
        QFETCH(QString, entry);
        QFETCH(QString, text);
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keyClicks(box_, "12345");
        box_->setSelection(1, 3);
        std::unique_ptr<QMenu> menu(box_->createStandardContextMenu());
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions())
            if (action->text().section(QLatin1Char('\t'), 0, 0) == entry)
                chosen = action;
        QVERIFY(chosen && chosen->isEnabled());
        chosen->trigger();
        QCOMPARE(box_->text(), text);
    }

    void aLongTextShowsAroundTheCaret() {
        const QRect inside = box_->rect().adjusted(2, 2, -2, -2);
        box_->setText(ones(kLong - 1) + QStringLiteral("2"));
        // The end is on view, the caret at the right, the start is not.
        QVERIFY(inside.contains(box_->cursorRect()));
        QVERIFY(box_->cursorRect().left() > inside.center().x());
        QVERIFY(!box_->characterRect(kLong - 1).isEmpty());
        QVERIFY(box_->characterRect(0).isEmpty());
        QTest::keyClick(box_, Qt::Key_Home);
        QVERIFY(inside.contains(box_->cursorRect()));
        QVERIFY(box_->cursorRect().left() < inside.center().x());
        QVERIFY(!box_->characterRect(0).isEmpty());
        QVERIFY(box_->characterRect(kLong - 1).isEmpty());
        QCOMPARE(box_->positionAt(box_->cursorRect().center()), qsizetype{0});
        // A short text set while the end of a long one is on view is shown
        // from its start, as in a box that never held more.
        QTest::keyClick(box_, Qt::Key_End);
        QVERIFY(box_->characterRect(0).isEmpty());
        box_->setText(QStringLiteral("17"));
        DisplayBox fresh(window_.get());
        fresh.setGeometry(box_->geometry());
        fresh.setText(QStringLiteral("17"));
        QCOMPARE(box_->characterRect(0), fresh.characterRect(0));
        QCOMPARE(box_->cursorRect(), fresh.cursorRect());
    }

    void clicksPlaceTheCaret() {
        box_->setText(QStringLiteral("12 345 6"));
        const QRect three = box_->characterRect(3);
        QTest::mouseClick(box_, Qt::LeftButton, {}, QPoint(three.left() + 1, three.center().y()));
        QCOMPARE(box_->cursorPosition(), qsizetype{3});
        QTest::mouseClick(box_, Qt::LeftButton, {}, QPoint(box_->width() - 4, three.center().y()));
        QCOMPARE(box_->cursorPosition(), qsizetype{8});
        QTest::mouseClick(box_, Qt::LeftButton, Qt::ShiftModifier,
                          QPoint(three.left() + 1, three.center().y()));
        QCOMPARE(box_->selectedText(), QStringLiteral("345 6"));
        QTest::mouseDClick(box_, Qt::LeftButton, {}, three.center());
        QCOMPARE(box_->selectedText(), QStringLiteral("345"));
    }

    void dropInsertsWhereItFalls() {
        box_->setText(QStringLiteral("1234"));
        const QPoint point = box_->characterRect(2).topLeft() + QPoint(1, 5);
        QMimeData dragged;
        dragged.setText(QStringLiteral("99"));
        QDragEnterEvent enter(point, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box_, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(point, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box_, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(box_->text(), QStringLiteral("129934"));
        QCOMPARE(box_->selectedText(), QStringLiteral("99"));
    }

    void inputMethodCommitsAndReplaces() {
        QTest::keyClicks(box_, "12");
        QInputMethodEvent composing(QStringLiteral("3"), {});
        QApplication::sendEvent(box_, &composing);
        QCOMPARE(box_->text(), QStringLiteral("12")); // not given yet
        QInputMethodEvent committed;
        committed.setCommitString(QStringLiteral("345"), -1, 1);
        QApplication::sendEvent(box_, &committed);
        QCOMPARE(box_->text(), QStringLiteral("1345"));
        QCOMPARE(box_->inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("1345"));
        QCOMPARE(box_->inputMethodQuery(Qt::ImCursorPosition).toInt(), 4);
    }

    void screenReadersReadAndEdit() {
        box_->setAccessibleName(QStringLiteral("display"));
        box_->setText(QStringLiteral("12345"));
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

        QSignalSpy edited(box_, &DisplayBox::textEdited);
        QAccessibleEditableTextInterface* editor = reader->editableTextInterface();
        QVERIFY(editor);
        editor->insertText(5, QStringLiteral("6"));
        editor->deleteText(0, 1);
        editor->replaceText(0, 2, QStringLiteral("9"));
        reader->setText(QAccessible::Value, reader->text(QAccessible::Value) + QStringLiteral("0"));
        QCOMPARE(box_->text(), QStringLiteral("94560"));
        // Each of them is the user's edit, which the calculator must see.
        QCOMPARE(edited.size(), 4);
        QCOMPARE(edited.last().at(0).toString(), QStringLiteral("94560"));
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
                              "paste in the menu",
                              "middle button",
                              "drop",
                              "input method",
                              "screen reader insert",
                              "screen reader replace",
                              "screen reader value"};
        for (const char* way : ways) {
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
        if (way == "middle button" && !QGuiApplication::clipboard()->supportsSelection())
            QSKIP("this platform has no selection to paste");
        const QString start = ones(before);
        box_->setText(start);
        QSignalSpy edited(box_, &DisplayBox::textEdited);
        addOnes(way, added);
        if (QTest::currentTestFailed())
            return;
        if (taken) {
            QCOMPARE(box_->text().size(), before + added);
            QVERIFY(box_->text() == ones(before + added));
            QCOMPARE(edited.size(), 1);
            QVERIFY(!box_->refusalNotice());
        } else {
            // Refused whole: nothing was cut short, and the box says so.
            QCOMPARE(box_->text().size(), before);
            QVERIFY(box_->text() == start);
            QVERIFY(edited.isEmpty());
            QLabel* notice = box_->refusalNotice();
            QVERIFY(notice && notice->isVisible());
            QCOMPARE(notice->text(), QStringLiteral("Not taken: at most 1,048,576 characters"));
        }
    }

    void shorterEditsGoOnBeyondTheLimit() {
        box_->setText(ones(kLimit + 5));
        QTest::keyClick(box_, Qt::Key_Backspace);
        QCOMPARE(box_->text().size(), kLimit + 4);
        box_->setSelection(0, 2);
        QTest::keyClick(box_, Qt::Key_2);
        QCOMPARE(box_->text().size(), kLimit + 3);
        QVERIFY(!box_->refusalNotice());
        // Undoing that edit would make the text longer again.
        QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box_->text().size(), kLimit + 3);
        QVERIFY(box_->refusalNotice() && box_->refusalNotice()->isVisible());
    }

    void theNoticeGoesAwayByItself() {
        box_->setText(ones(kLimit));
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

private:
    // Adds `count` ones at the end of the text, the given way.
    void addOnes(const QString& way, qsizetype count) {
        const QString added = ones(count);
        const qsizetype end = box_->text().size();
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (way == "typing") {
            QCOMPARE(count, qsizetype{1});
            QTest::keyClick(box_, Qt::Key_1);
        } else if (way == "paste key") {
            clipboard->setText(added);
            QTest::keyClick(box_, Qt::Key_V, Qt::ControlModifier);
        } else if (way == "paste in the menu") {
            clipboard->setText(added);
            std::unique_ptr<QMenu> menu(box_->createStandardContextMenu());
            for (QAction* action : menu->actions())
                if (action->text().startsWith(QStringLiteral("&Paste")))
                    action->trigger();
        } else if (way == "middle button") {
            clipboard->setText(added, QClipboard::Selection);
            QTest::mouseClick(box_, Qt::MiddleButton, {}, QPoint(box_->width() - 4, 12));
        } else if (way == "drop") {
            QMimeData dragged;
            dragged.setText(added);
            const QPoint point(box_->width() - 4, 12);
            QDragEnterEvent enter(point, Qt::CopyAction, &dragged, Qt::LeftButton, {});
            QApplication::sendEvent(box_, &enter);
            QDropEvent drop(point, Qt::CopyAction, &dragged, Qt::LeftButton, {});
            QApplication::sendEvent(box_, &drop);
        } else if (way == "input method") {
            QInputMethodEvent committed;
            committed.setCommitString(added);
            QApplication::sendEvent(box_, &committed);
        } else if (way == "screen reader insert") {
            accessible(box_)->editableTextInterface()->insertText(static_cast<int>(end), added);
        } else if (way == "screen reader replace") {
            const int replaced = end > 0 ? 1 : 0;
            accessible(box_)->editableTextInterface()->replaceText(0, replaced,
                                                                   ones(replaced) + added);
        } else if (way == "screen reader value") {
            accessible(box_)->setText(QAccessible::Value, box_->text() + added);
        } else {
            QFAIL(qPrintable(QStringLiteral("no way ") + way));
        }
    }

    std::unique_ptr<QWidget> window_;
    DisplayBox* box_ = nullptr;
};

QTEST_MAIN(DisplayBoxTest)
#include "display_box_test.moc"
