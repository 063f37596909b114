#include "about_window.h"
#include "help_window.h"
#include "splash_window.h"
#include "start_up.h"
#include "window_testing.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>

#include <memory>

using namespace rurozovizera::ui;
using namespace rurozovizera::ui::test_support;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }

    void init() {
        window_ = std::make_unique<MainWindow>();
        startUp(*window_);
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() { window_.reset(); }

    void startState() {
        QVERIFY(window_->splash() && window_->splash()->isVisible());
        // The splash window's content follows the calculator's first drawing.
        const auto clickToClose = [this] {
            return window_->splash()->findChild<QLabel*>(QStringLiteral("Label1"));
        };
        QTRY_VERIFY(clickToClose() && clickToClose()->isVisible());
        QVERIFY(!window_->about());
        QVERIFY(!window_->help());
        QCOMPARE(QApplication::activeWindow(), window_.get());
        QCOMPARE(window_->windowTitle(), QStringLiteral("RuRozovizera(Frost Figures)"));
        auto* primary = child<DisplayBox>(window_.get(), "TxtDisplay");
        auto* secondary = child<DisplayBox>(window_.get(), "txtdisplay2");
        QVERIFY(primary->isVisible() && primary->text().isEmpty());
        QVERIFY(!secondary->isVisible() && secondary->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), primary);
        QVERIFY(child(window_.get(), "CmdEquals")->isEnabled());
        QCOMPARE(child<QLabel>(window_.get(), "lblREM")->text(),
                 QStringLiteral("NOTE: Press Equals  after every sum."));
        // The client area fills the window below the menu bar as laid out,
        // whatever the style.
        QCOMPARE(window_->centralWidget()->geometry(),
                 QRect(0, window_->menuBar()->height(), 250, 198));
        QCOMPARE(window_->size(), QSize(250, 198 + window_->menuBar()->height()));
    }

    void splashWindowIsDrawnAfterTheCalculator() {
        MainWindow window; // loaded: the splash window is up, this one not yet
        QVERIFY(window.splash()->isVisible());
        QVERIFY(!window.splash()->updatesEnabled());
        startUp(window);
        QTRY_VERIFY(window.splash()->updatesEnabled());
    }

    void geometryOfControls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("MC") << "CmdMemC" << QRect(104, 40, 33, 25);
        QTest::newRow("?") << "cmdexp1" << QRect(232, 24, 17, 17);
        QTest::newRow("C") << "CmdCancel" << QRect(160, 168, 73, 25);
        QTest::newRow("+") << "cmdAdd" << QRect(200, 72, 33, 27);
        QTest::newRow("TT") << "CmdPy" << QRect(8, 168, 33, 25);
        QTest::newRow("display") << "TxtDisplay" << QRect(8, 0, 233, 25);
        QTest::newRow("second display") << "txtdisplay2" << QRect(8, 0, 233, 25);
        QTest::newRow("note") << "lblREM" << QRect(24, 24, 201, 17);
        QTest::newRow("background") << "Image2" << QRect(-16, -8, 279, 209);
    }

    void geometryOfControls() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        auto* control = window_->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
    }

    void keysShowTheirCaptionsInTheirFonts() {
        auto* pi = child<QPushButton>(window_.get(), "CmdPy");
        QCOMPARE(pi->text(), QStringLiteral("TT"));
        QCOMPARE(pi->font().family(), QStringLiteral("Comic Neue"));
        QCOMPARE(pi->font().pointSizeF(), 11.25);
        QVERIFY(pi->font().bold());
        QCOMPARE(QFontInfo(pi->font()).family(), QStringLiteral("Comic Neue"));
        // The operator keys' 12 pt regular is drawn a third larger and bold
        // by the look-alike, whose signs are smaller and thinner; its other
        // regular lettering keeps the layout's size and weight.
        QCOMPARE(child<QPushButton>(window_.get(), "CmdDot")->font().pointSizeF(), 16.0);
        QVERIFY(child<QPushButton>(window_.get(), "CmdDot")->font().bold());
        QCOMPARE(child<QPushButton>(window_.get(), "cmdexp1")->font().pointSizeF(), 8.25);
        QVERIFY(!child<QPushButton>(window_.get(), "cmdexp1")->font().bold());
        for (QPushButton* key : window_->findChildren<QPushButton*>())
            QVERIFY2(!key->isDefault(), qPrintable(key->objectName()));
    }

    void keysHaveSpokenNames_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("pi") << "CmdPy"
                            << "pi";
        QTest::newRow("square") << "CmdSqr"
                                << "square";
        QTest::newRow("root") << "CmdSqrt"
                              << "square root";
        QTest::newRow("M+") << "CmdMem"
                            << "memory add";
        QTest::newRow("MRC") << "cmdMrc"
                             << "memory recall";
        QTest::newRow("MC") << "CmdMemC"
                            << "memory clear";
        QTest::newRow("C") << "CmdCancel"
                           << "clear";
        QTest::newRow("?") << "cmdexp1"
                           << "help example";
        QTest::newRow("7") << "CmdSeven"
                           << "7";
        QTest::newRow("display") << "TxtDisplay"
                                 << "display";
    }

    void keysHaveSpokenNames() {
        QFETCH(QString, key);
        QFETCH(QString, spoken);
        QWidget* control = window_->findChild<QWidget*>(key);
        QVERIFY(control);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), spoken);
    }

    void everyKeyHasItsOwnSpokenName() {
        QSet<QString> names;
        for (QPushButton* key : window_->findChildren<QPushButton*>()) {
            QVERIFY2(!key->accessibleName().isEmpty(), qPrintable(key->objectName()));
            names.insert(key->accessibleName());
        }
        QCOMPARE(names.size(), 25);
    }

    void tabOrderFollowsTheTabIndexes() {
        const QStringList expected = {
            "cmdDivide", "cmdMultiply", "cmdSubtract", "cmdAdd",  "CmdSqrt", "CmdPercent",
            "CmdEquals", "CmdDot",      "CmdCancel",   "CmdOne",  "CmdZero", "CmdNine",
            "CmdEight",  "CmdSeven",    "CmdSix",      "CmdFive", "CmdFour", "CmdThree",
            "CmdTwo",    "CmdSqr",      "CmdPy",       "cmdexp1", "CmdMem",  "cmdMrc",
            "CmdMemC",   "TxtDisplay"};
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void spaceAndEnterClickAFocusedKey() {
        auto* seven = child<QPushButton>(window_.get(), "CmdSeven");
        seven->setFocus();
        QTest::keyClick(seven, Qt::Key_Space);
        QTest::keyClick(seven, Qt::Key_Return);
        QTest::keyClick(seven, Qt::Key_Enter);
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("777"));
    }

    void afterEqualsTheFocusGoesToTheDisplay() {
        // Each key pressed from the keyboard: focused, then Space.
        for (const char* name : {"CmdOne", "cmdAdd", "CmdTwo", "CmdEquals"}) {
            auto* key = child<QPushButton>(window_.get(), name);
            key->setFocus();
            QTest::keyClick(key, Qt::Key_Space);
        }
        QVERIFY(!child(window_.get(), "CmdEquals")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), visibleDisplay(*window_));
        const double result = window_->calculator().state().pendingKey;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("3"));
        // Space clicks no key either: in the display it types a blank, which
        // the number rules skip.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("3  "));
        QCOMPARE(window_->calculator().state().pendingKey, result);
        // The tab order goes on from the secondary display as before.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdexp1"));
    }

    void keysPressedBehindAnotherWindowLeaveTheFocusInTheDisplay() {
        // A screen reader presses keys in the window while another is active:
        // back in the window, typing goes on into the display on view.
        QTest::keyClicks(QApplication::focusWidget(), "12");
        clickKeys(*window_, "?");
        QVERIFY(QTest::qWaitForWindowActive(window_->help()));
        clickKeys(*window_, "+");
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QTest::keyClicks(QApplication::focusWidget(), "5");
        clickKeys(*window_, "=");
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("17"));
    }

    void clicksRunACalculation() {
        clickKeys(*window_, "1 2 + 5 =");
        QCOMPARE(visibleDisplay(*window_)->objectName(), QStringLiteral("txtdisplay2"));
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("17"));
        QVERIFY(!child(window_.get(), "CmdEquals")->isEnabled());
        clickKeys(*window_, "+ 3 =");
        QCOMPARE(visibleDisplay(*window_)->objectName(), QStringLiteral("TxtDisplay"));
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("20"));
    }

    void typedTextIsReadByTheNextKey() {
        auto* primary = child<DisplayBox>(window_.get(), "TxtDisplay");
        QTest::keyClicks(primary, "1 2");
        clickKeys(*window_, "+");
        QTest::keyClicks(visibleDisplay(*window_), "5");
        clickKeys(*window_, "=");
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("17"));
        QCOMPARE(window_->calculator().state().pendingKey, 17.0);
    }

    void displaysTakeLongTexts() {
        auto* primary = child<DisplayBox>(window_.get(), "TxtDisplay");
        const QString digits(30000, QLatin1Char('1'));
        QGuiApplication::clipboard()->setText(digits);
        QTest::keyClick(primary, Qt::Key_V, Qt::ControlModifier);
        QGuiApplication::clipboard()->clear();
        QCOMPARE(primary->text().size(), digits.size());
        QCOMPARE(window_->calculator().primary().text.size(), std::size_t(30000));
        clickKeys(*window_, "2");
        QCOMPARE(primary->text(), digits + QLatin1Char('2'));
    }

    void screenReaderEditsReachTheCalculator() {
        QAccessibleInterface* display =
            QAccessible::queryAccessibleInterface(visibleDisplay(*window_));
        QVERIFY(display && display->editableTextInterface());
        display->setText(QAccessible::Value, QStringLiteral("1"));
        display->editableTextInterface()->insertText(1, QStringLiteral("2"));
        QCOMPARE(window_->calculator().primary().text, std::string("12"));
        clickKeys(*window_, "+ 5 =");
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("17"));
    }

    void theKeysGoOnWhereTypingStops() {
        constexpr qsizetype limit = DisplayBox::kUserLimit;
        auto* primary = child<DisplayBox>(window_.get(), "TxtDisplay");
        QGuiApplication::clipboard()->setText(QString(limit, QLatin1Char('1')));
        primary->paste();
        QCOMPARE(window_->calculator().primary().text.size(), std::size_t(limit));
        clickKeys(*window_, "7");
        QCOMPARE(primary->text().size(), limit + 1);
        QCOMPARE(window_->calculator().primary().text.size(), std::size_t(limit + 1));
        // Typing more is refused, in the window and in the calculator...
        QTest::keyClick(primary, Qt::Key_1);
        QCOMPARE(window_->calculator().primary().text.size(), std::size_t(limit + 1));
        QVERIFY(window_->calculator().primary().text.ends_with("17"));
        QVERIFY(primary->refusalNotice() && primary->refusalNotice()->isVisible());
        QCOMPARE(primary->refusalNotice()->parentWidget(), window_->centralWidget());
        QVERIFY(!QApplication::activeModalWidget());
        // The key the notice lies over still takes clicks there.
        auto* memoryAdd = child<QPushButton>(window_.get(), "CmdMem");
        const QRect covered =
            primary->refusalNotice()->geometry().intersected(memoryAdd->geometry());
        QVERIFY(!covered.isEmpty());
        QCOMPARE(window_->centralWidget()->childAt(covered.center()), memoryAdd);
        // ...and taking away is not.
        QTest::keyClick(primary, Qt::Key_Backspace);
        QCOMPARE(window_->calculator().primary().text.size(), std::size_t(limit));
        QGuiApplication::clipboard()->clear();
    }

    void disabledEqualsIgnoresClicks() {
        clickKeys(*window_, "1 2 + 5 = + 9");
        auto* equals = child<QPushButton>(window_.get(), "CmdEquals");
        QVERIFY(!equals->isEnabled());
        const auto before = window_->calculator().state();
        QTest::mouseClick(equals, Qt::LeftButton);
        QCOMPARE(window_->calculator().state(), before);
    }

    void errorReportThenTheCalculatorGoesOn() {
        clickKeys(*window_, "7 M+ C 1 2 /");
        QString title, text, shownDuringReport;
        int lines = 0, width = 0;
        whenModalShown([&](QWidget* modal) {
            auto* report = qobject_cast<QMessageBox*>(modal);
            QVERIFY(report);
            title = report->windowTitle();
            text = report->text();
            shownDuringReport = visibleDisplay(*window_)->text();
            const QLabel* label = child<QLabel>(report, "qt_msgbox_label");
            const int lineSpacing = label->fontMetrics().lineSpacing();
            lines = label->fontMetrics()
                        .boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text())
                        .height() /
                    lineSpacing;
            width = report->width();
            report->button(QMessageBox::Ok)->click();
        });
        clickKeys(*window_, "=");
        QCOMPARE(title, QStringLiteral("RuRozovizera"));
        QCOMPARE(text, QStringLiteral("Division by zero.\n"
                                      "The key was not carried out; the calculator is as it was."));
        QCOMPARE(lines, 2);
        // Room for the whole title beside a title bar's icon and three
        // buttons, each about as wide as two lines of its font are high.
        const QFontMetrics titleFont(QApplication::font("QMdiSubWindowTitleBar"));
        QVERIFY2(width >= titleFont.horizontalAdvance(title) + 8 * titleFont.lineSpacing(),
                 qPrintable(QString::number(width)));
        QCOMPARE(shownDuringReport, QString());
        QVERIFY(window_->isVisible());
        QVERIFY(child(window_.get(), "CmdEquals")->isEnabled());
        clickKeys(*window_, "C MRC + 5 =");
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("12"));
    }

    void clearHidesTheSplashForGood() {
        QPointer<SplashWindow> splash = window_->splash();
        clickKeys(*window_, "C");
        QVERIFY(splash && !splash->isVisible());
        clickKeys(*window_, "C 1");
        QVERIFY(splash && !splash->isVisible());
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("1"));
    }

    void aboutShowsOneWindowThatOkAndEscapeHide() {
        QAction* about = child<QAction>(window_.get(), "MnuAbout");
        QVERIFY(about->menu() == nullptr);
        about->trigger();
        QPointer<AboutWindow> first = window_->about();
        QVERIFY(first && first->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(first));
        QTest::mouseClick(child(first, "cmdOK"), Qt::LeftButton);
        QVERIFY(first && !first->isVisible());
        about->trigger();
        QCOMPARE(window_->about(), first.data());
        QVERIFY(first->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(first));
        QTest::keyClick(first, Qt::Key_Escape);
        QVERIFY(first && !first->isVisible());
        about->trigger();
        QTest::keyClick(first, Qt::Key_Return);
        QVERIFY(first && !first->isVisible());
        QCOMPARE(window_->calculator().state(), rurozovizera::CalculatorState{});
    }

    void helpKeyShowsOneHelpWindow() {
        clickKeys(*window_, "? ?");
        QPointer<HelpWindow> help = window_->help();
        QVERIFY(help && help->isVisible());
        int helpWindows = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            helpWindows += top->objectName() == QStringLiteral("FrmExp1");
        QCOMPARE(helpWindows, 1);
        QCOMPARE(help->windowTitle(), QStringLiteral("Help-Example"));
        // Closing it destroys it; "?" makes it again.
        help->close();
        QTRY_VERIFY(!help);
        clickKeys(*window_, "?");
        QVERIFY(window_->help() && window_->help()->isVisible());
        clickKeys(*window_, "4 + 4 =");
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("8"));
    }

    void frostFiguresDoesNothing() {
        QAction* winter = child<QAction>(window_.get(), "mnuWinter");
        QCOMPARE(winter->text(), QStringLiteral("Frost Figures!"));
        const auto windows = QApplication::topLevelWidgets().size();
        winter->trigger();
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
        QCOMPARE(window_->calculator().state(), rurozovizera::CalculatorState{});
    }

    void menuHoldsFileExitAboutAndFrostFigures() {
        QStringList entries;
        for (QAction* action : window_->menuBar()->actions())
            entries << action->text();
        QCOMPARE(entries, QStringList({"File", "About", "Frost Figures!"}));
        QMenu* file = child<QMenu>(window_.get(), "mnuFile");
        QCOMPARE(file->actions().size(), 1);
        QCOMPARE(file->actions().first()->text(), QStringLiteral("Exit"));
    }

    void exitEndsTheApplication() {
        child<QAction>(window_.get(), "MnuAbout")->trigger();
        clickKeys(*window_, "?");
        QVERIFY(runUntilQuit([this] { child<QAction>(window_.get(), "MnuExit")->trigger(); }));
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
    }

    void closingTheMainWindowEndsTheApplication() {
        QVERIFY(runUntilQuit([this] { window_->close(); }));
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
    }

private:
    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
