// How long a key's click takes in the main window while a display holds a
// pasted text of 1 MiB: from the click to the window repainted. This is a
// benchmark: it reports the time of each click and checks only that the
// calculation comes out right, never how long it took.
//
// The pasted text is a million zeros and then "12", which reads as 12, so
// every key that reads the display reads the whole text.
#include "operation_codes.h"
#include "window_testing.h"

#include <memory>
#include <string>

using namespace rurozovizera::ui;
using namespace rurozovizera::ui::testing;

namespace {

constexpr qsizetype kLongTextLength = 1 << 20;

QString longTwelve() {
    return QString(kLongTextLength - 2, QLatin1Char('0')) + QStringLiteral("12");
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

    // A fresh window with the long text pasted into the primary display.
    void init() {
        window_ = std::make_unique<MainWindow>();
        window_->showAtStart();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        auto* primary = child<DisplayBox>(window_.get(), "TxtDisplay");
        primary->selectAll();
        primary->insert(longTwelve()); // as a paste does
        QVERIFY(engineText() == longTwelve().toStdString());
        // The window shows the pasted text before any click is timed.
        QCoreApplication::processEvents();
    }

    void cleanup() { window_.reset(); }

    // A digit appended to the long text: the display takes the new text.
    void digitOnLongText() {
        int clicks = 0;
        QBENCHMARK {
            click("CmdSeven");
            ++clicks;
        }
        const QString expected = longTwelve() + QString(clicks, QLatin1Char('7'));
        QVERIFY(engineText() == expected.toStdString());
        QVERIFY(child<DisplayBox>(window_.get(), "TxtDisplay")->text() == expected);
    }

    // "+" reads the long text and puts the secondary display on view in
    // place of the primary: only the first "+" does that, so it is measured
    // a single time.
    void addOnLongText() {
        QBENCHMARK_ONCE { click("cmdAdd"); }
        QCOMPARE(visibleDisplay(*window_)->objectName(), QStringLiteral("txtdisplay2"));
        QCOMPARE(window_->calculator().state().PendingKey, 12 + rurozovizera::AddCode);
        click("CmdFive");
        click("CmdEquals");
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("17"));
    }

    // "+" again: pressed while the Equals key is still enabled it reads the
    // long text and stores the same pending key, and the displays stay.
    void addAgainOnLongText() {
        click("cmdAdd");
        QBENCHMARK { click("cmdAdd"); }
        QCOMPARE(window_->calculator().state().PendingKey, 12 + rurozovizera::AddCode);
        click("CmdFive");
        click("CmdEquals");
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("17"));
    }

    // "=" once, finishing 12 + 5 with the long text standing for 12; the
    // Equals key is disabled after it, so it is measured a single time.
    void equalsOnLongText() {
        click("cmdAdd");
        click("CmdFive");
        QBENCHMARK_ONCE { click("CmdEquals"); }
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("17"));
        QCOMPARE(window_->calculator().state().PendingKey, 17.0);
    }

    // After 12 + 5 = 17, "5" then "=": the 5 re-enables Equals, whose rows
    // all read the long text again and match nothing, so 17 stays. Take off
    // digitIntoShortDisplay's time to see the Equals click alone.
    void digitThenEqualsOnLongText() {
        click("cmdAdd");
        click("CmdFive");
        click("CmdEquals");
        QBENCHMARK {
            click("CmdFive");
            click("CmdEquals");
        }
        QCOMPARE(visibleDisplay(*window_)->text(), QStringLiteral("17"));
        QCOMPARE(window_->calculator().state().PendingKey, 17.0);
        QVERIFY(engineText() == longTwelve().toStdString());
    }

    // The baseline: a digit typed into the short secondary display while the
    // hidden primary display holds the long text.
    void digitIntoShortDisplay() {
        click("cmdAdd");
        int clicks = 0;
        QBENCHMARK {
            click("CmdFive");
            ++clicks;
        }
        QCOMPARE(visibleDisplay(*window_)->text(), QString(clicks, QLatin1Char('5')));
        QCOMPARE(window_->calculator().state().PendingKey, 12 + rurozovizera::AddCode);
    }

private:
    // Clicks a key by its control name and lets the window repaint.
    void click(const char* name) {
        QTest::mouseClick(child<QPushButton>(window_.get(), name), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    [[nodiscard]] const std::string& engineText() const {
        return window_->calculator().TxtDisplay().text;
    }

    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(KeyClickBench)
#include "key_click_bench.moc"
