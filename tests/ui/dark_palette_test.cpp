// The windows on a desktop with a dark palette: every text the layouts draw
// on their own fixed grounds must still read, as must the menu bar and the
// error report. Run in a real X11 session whose desktop theme gives a dark
// palette (see tests/ui/CMakeLists.txt).
#include "about_window.h"
#include "start_up.h"
#include "window_testing.h"

#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>

using namespace rurozovizera::ui;
using namespace rurozovizera::ui::test_support;

namespace {

constexpr double kLeast = 4.5;

} // namespace

class DarkPaletteTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // Without the desktop's dark palette this test would test nothing.
        const QColor desktopGround = QGuiApplication::palette().color(QPalette::Window);
        QVERIFY2(desktopGround.lightness() < 100,
                 qPrintable(QStringLiteral("the desktop's palette is not dark: ") +
                            desktopGround.name()));
        setUpApplication();
    }

    void keysAndDisplayRead() {
        MainWindow window;
        startUp(window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        clickKeys(window, QStringLiteral("1 2 3"));
        for (QPushButton* key : window.findChildren<QPushButton*>()) {
            const double ratio = textContrast(key, 4);
            QVERIFY2(ratio >= kLeast,
                     qPrintable(QStringLiteral("key %1: %2:1").arg(key->text()).arg(ratio)));
        }
        auto* display = visibleDisplay(window);
        QCOMPARE(display->text(), QStringLiteral("123"));
        const double typed = textContrast(display, 3);
        QVERIFY2(typed >= kLeast, qPrintable(QStringLiteral("display: %1:1").arg(typed)));
        display->selectAll();
        const QPalette palette = display->palette();
        const double selected =
            contrast(palette.color(QPalette::Active, QPalette::Highlight),
                     palette.color(QPalette::Active, QPalette::HighlightedText));
        QVERIFY2(selected >= kLeast, qPrintable(QStringLiteral("selection: %1:1").arg(selected)));
    }

    void menuBarMatchesTheWindows() {
        MainWindow window;
        startUp(window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QMenuBar* menu = window.menuBar();
        const QImage image = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY2(groundOf(image).lightness() > 160, qPrintable(groundOf(image).name()));
        const double ratio = textContrast(menu, 1);
        QVERIFY2(ratio >= kLeast, qPrintable(QStringLiteral("menu bar: %1:1").arg(ratio)));
    }

    void aboutWindowOkReads() {
        AboutWindow about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto* ok = child<QPushButton>(&about, "cmdOK");
        const double ratio = textContrast(ok, 4);
        QVERIFY2(ratio >= kLeast, qPrintable(QStringLiteral("OK: %1:1").arg(ratio)));
    }

    void errorReportReads() {
        MainWindow window;
        startUp(window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        double ratio = 0;
        QColor ground;
        whenModalShown([&](QWidget* report) {
            (void)QTest::qWaitForWindowExposed(report);
            for (QLabel* label : report->findChildren<QLabel*>())
                if (!label->text().isEmpty() && label->pixmap().isNull())
                    ratio = std::max(ratio, textContrast(label, 0));
            ground = report->palette().color(QPalette::Window);
            report->close();
        });
        clickKeys(window, QStringLiteral("1 / 0 ="));
        QVERIFY2(ratio >= kLeast, qPrintable(QStringLiteral("error report: %1:1").arg(ratio)));
        QVERIFY2(ground.lightness() > 160, qPrintable(ground.name()));
    }
};

QTEST_MAIN(DarkPaletteTest)
#include "dark_palette_test.moc"
