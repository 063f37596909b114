// How long a key's click takes in the main window, from the click to the
// window repainted: on an empty display, and while the display holds a
// pasted text of 32,767 characters, as long as the user's own pasting may
// make it (DisplayBox::kUserLimit). Also how long that paste takes, how
// long a paste beyond the limit takes to be refused, and how much resident
// memory the window holds at the limit. This is a benchmark: it reports times and
// memory, and checks only that the calculation comes out right, never how
// long it took.
//
// The pasted text is zeros and then "12", which reads as 12, so every key
// that reads the display reads the whole text.
#include "operation_codes.h"
#include "start_up.h"
#include "window_testing.h"

#include <QClipboard>
#include <QFile>
#include <QLabel>

#include <memory>
#include <string>

using namespace rurozovizera::ui;
using namespace rurozovizera::ui::test_support;

namespace {

constexpr qsizetype kLongTextLength = DisplayBox::kUserLimit;

QString longTwelve() {
    return QString(kLongTextLength - 2, QLatin1Char('0')) + QStringLiteral("12");
}

// A figure of /proc/self/status ("VmRSS", "VmHWM"), in MiB.
double statusMiB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

} // namespace

class KeyClickBench : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // Repaint as soon as the events are processed, not a few
        // milliseconds later: then the repaint a click causes is part of
        // that click's time, not of the next one's.
        qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
        setUpApplication();
    }

    void init() {
        window_ = std::make_unique<MainWindow>();
        startUp(*window_);
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QCoreApplication::processEvents();
    }

    void cleanup() {
        window_.reset();
        QGuiApplication::clipboard()->clear();
    }

    // First, while the process is fresh: the resident memory with empty
    // displays, and after the long text is pasted and 7 + 5 = is clicked.
    void residentMemoryAtTheLimit() {
        const double empty = statusMiB("VmRSS");
        const double emptyPeak = statusMiB("VmHWM");
        pasteLongText();
        clickAll("CmdSeven cmdAdd CmdFive CmdEquals");
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("132"));
        const double full = statusMiB("VmRSS");
        const double fullPeak = statusMiB("VmHWM");
        qInfo("resident memory: %.1f MiB with empty displays, %.1f MiB at the limit (%+.1f MiB); "
              "peak %.1f MiB, then %.1f MiB (%+.1f MiB)",
              empty, full, full - empty, emptyPeak, fullPeak, fullPeak - emptyPeak);
    }

    // The paste itself, by the keyboard: into the display, the calculator
    // and on screen.
    void pasteAtTheLimit() {
        QGuiApplication::clipboard()->setText(longTwelve());
        QBENCHMARK_ONCE { paste(); }
        QVERIFY(engineText() == longTwelve().toStdString());
    }

    // A paste of twice the limit is refused whole.
    void pasteBeyondTheLimit() {
        QGuiApplication::clipboard()->setText(longTwelve() + longTwelve());
        QBENCHMARK_ONCE { paste(); }
        QVERIFY(engineText().empty());
        QVERIFY(visibleDisplay(*window_)->refusalNotice()->isVisible());
    }

    // Each key below on an empty display, and with the long text.
    void digit_data() { longOrEmpty(); }
    void add_data() { longOrEmpty(); }
    void equals_data() { longOrEmpty(); }

    // A digit appended to the display's text.
    void digit() {
        QFETCH(bool, pasted);
        if (pasted)
            pasteLongText();
        int clicks = 0;
        QBENCHMARK {
            click("CmdSeven");
            ++clicks;
        }
        const QString expected =
            (pasted ? longTwelve() : QString()) + QString(clicks, QLatin1Char('7'));
        QVERIFY(engineText() == expected.toStdString());
        QVERIFY(child<DisplayBox>(window_.get(), "TxtDisplay")->text() == expected);
    }

    // "+" reads the display and puts the secondary display on view in place
    // of the primary: only the first "+" does that, so it is measured a
    // single time.
    void add() {
        QFETCH(bool, pasted);
        if (pasted)
            pasteLongText();
        QBENCHMARK_ONCE { click("cmdAdd"); }
        QCOMPARE(visibleDisplay(*window_)->objectName(), QStringLiteral("txtdisplay2"));
        QCOMPARE(window_->calculator().state().pendingKey,
                 (pasted ? 12 : 0) + rurozovizera::AddCode);
        clickAll("CmdFive CmdEquals");
        QCOMPARE(visibleDisplay(*window_)->text(),
                 pasted ? QStringLiteral("17") : QStringLiteral("5"));
    }

    // "=" once, finishing 12 + 5 (or 0 + 5); the Equals key is disabled
    // after it, so it is measured a single time.
    void equals() {
        QFETCH(bool, pasted);
        if (pasted)
            pasteLongText();
        clickAll("cmdAdd CmdFive");
        QBENCHMARK_ONCE { click("CmdEquals"); }
        QCOMPARE(visibleDisplay(*window_)->text(),
                 pasted ? QStringLiteral("17") : QStringLiteral("5"));
        QCOMPARE(window_->calculator().state().pendingKey, pasted ? 17.0 : 5.0);
    }

    // "+" again: pressed while the Equals key is still enabled it reads the
    // long text and stores the same pending key, and the displays stay.
    void addAgainOnLongText() {
        pasteLongText();
        click("cmdAdd");
        QBENCHMARK { click("cmdAdd"); }
        QCOMPARE(window_->calculator().state().pendingKey, 12 + rurozovizera::AddCode);
        clickAll("CmdFive CmdEquals");
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("17"));
    }

    // After 12 + 5 = 17, "5" then "=": the 5 re-enables Equals, whose rows
    // all read the long text again and match nothing, so 17 stays. Take off
    // digitIntoShortDisplay's time to see the Equals click alone.
    void digitThenEqualsOnLongText() {
        pasteLongText();
        clickAll("cmdAdd CmdFive CmdEquals");
        QBENCHMARK {
            click("CmdFive");
            click("CmdEquals");
        }
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("17"));
        QCOMPARE(window_->calculator().state().pendingKey, 17.0);
        QVERIFY(engineText() == longTwelve().toStdString());
    }

    // A digit typed into the short secondary display while the hidden
    // primary display holds the long text.
    void digitIntoShortDisplay() {
        pasteLongText();
        click("cmdAdd");
        int clicks = 0;
        QBENCHMARK {
            click("CmdFive");
            ++clicks;
        }
        QCOMPARE(visibleDisplay(*window_)->text(), QString(clicks, QLatin1Char('5')));
        QCOMPARE(window_->calculator().state().pendingKey, 12 + rurozovizera::AddCode);
    }

private:
    static void longOrEmpty() {
        QTest::addColumn<bool>("pasted");
        QTest::newRow("empty display") << false;
        QTest::newRow("the limit pasted") << true;
    }

    // Ctrl+V in the primary display, and the window repainted.
    void paste() {
        QTest::keyClick(child<DisplayBox>(window_.get(), "TxtDisplay"), Qt::Key_V,
                        Qt::ControlModifier);
        QCoreApplication::processEvents();
    }

    // The long text pasted into the primary display and shown, before any
    // click is timed.
    void pasteLongText() {
        QGuiApplication::clipboard()->setText(longTwelve());
        paste();
        QVERIFY(engineText() == longTwelve().toStdString());
    }

    // Clicks a key by its control name and lets the window repaint.
    void click(const char* name) {
        QTest::mouseClick(child<QPushButton>(window_.get(), name), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    void clickAll(const char* names) {
        for (const QByteArray& name : QByteArray(names).split(' '))
            click(name.constData());
    }

    [[nodiscard]] const std::string& engineText() const {
        return window_->calculator().primary().text;
    }

    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(KeyClickBench)
#include "key_click_bench.moc"
