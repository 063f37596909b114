// Starts the real calculator in a real X11 window (under Xvfb, framed by
// openbox, which the test starts), takes screenshots of it at screen scales
// 1 and 2, and checks what a user would see: the window's size, the
// pale-cyan key faces, and the snowy picture behind the keys, drawn sharp on
// the scaled screen. The screenshot at scale 1, with the main window in its
// frame in front of the splash window, is saved as screenshot.png in the
// working folder.
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMargins>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kTitle = QStringLiteral("RuRozovizera(Frost Figures)");
// The keys' pale cyan face, as 0xRRGGBB.
constexpr QRgb kKeyFace = 0xC0FFFF;
// The main window's client area, in pixels at scale 1.
constexpr QSize kClientSize{250, 198};
// Where the splash window is stored, at scale 1, with its dialog frame.
constexpr QRect kSplash{259, 433, 498, 289};

// What an X11 tool prints, or nothing when it fails.
QString output(const char* program, const QStringList& arguments) {
    QProcess tool;
    tool.start(QString::fromLocal8Bit(program), arguments);
    if (!tool.waitForFinished(5000) || tool.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

// A window's rectangle on the screen, from xwininfo, once it is mapped. Under
// a window manager it is the window's own area inside the frame.
QRect findWindow(const QString& title) {
    const QString info = output(XWININFO, {QStringLiteral("-name"), title});
    if (!info.contains(QStringLiteral("IsViewable")))
        return {};
    auto number = [&](const char* field) {
        const QRegularExpression pattern(QString::fromLatin1(field) +
                                         QStringLiteral(":\\s+(-?\\d+)"));
        return pattern.match(info).captured(1).toInt();
    };
    return {number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"),
            number("Height")};
}

QImage grabScreen(const QRect& area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

int distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// The frame the window manager has put around a window, as it states it in
// _NET_FRAME_EXTENTS (left, right, top, bottom); none until it has framed it.
QMargins frameExtents(const QString& title) {
    const QRegularExpression numbers(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)"));
    const QRegularExpressionMatch match = numbers.match(
        output(XPROP, {QStringLiteral("-name"), title, QStringLiteral("_NET_FRAME_EXTENTS")}));
    if (!match.hasMatch())
        return {};
    return {match.captured(1).toInt(), match.captured(3).toInt(), match.captured(2).toInt(),
            match.captured(4).toInt()};
}

// The window that a root window property names, as xprop prints it.
QString windowNamedByRoot(const char* property) {
    static const QRegularExpression id(QStringLiteral("window id # (0x[0-9a-f]+)"));
    return id.match(output(XPROP, {QStringLiteral("-root"), QString::fromLatin1(property)}))
        .captured(1);
}

// The calculator running on a screen of the given scale, and its picture.
class RunningCalculator {
public:
    explicit RunningCalculator(int scale) : scale_(scale) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
        process_.setProcessEnvironment(environment);
        process_.setProgram(QStringLiteral(CALCULATOR_EXECUTABLE));
        process_.start();
    }

    ~RunningCalculator() {
        process_.kill();
        process_.waitForFinished();
    }

    // Waits until the window is mapped and its keys are painted.
    bool waitUntilShown() {
        if (!process_.waitForStarted())
            return false;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 10000) {
            window_ = findWindow(kTitle);
            frame_ = frameExtents(kTitle);
            if (!window_.isEmpty() && !frame_.isNull()) {
                menuHeight_ = window_.height() - kClientSize.height() * scale_;
                shot_ = grabScreen(window_);
                if (!shot_.isNull() && pixel(56 + 5, 104 + 5) == kKeyFace)
                    return true;
            }
            QTest::qWait(50);
        }
        return false;
    }

    // A pixel of the client area, at a position given in pixels at scale 1.
    [[nodiscard]] QRgb pixel(int x, int y) const {
        return shot_.pixel(x * scale_, y * scale_ + menuHeight_) & 0xFFFFFF;
    }

    // A pixel of the client area, at a position in device pixels.
    [[nodiscard]] QRgb devicePixel(int x, int y) const {
        return shot_.pixel(x, y + menuHeight_) & 0xFFFFFF;
    }

    [[nodiscard]] const QRect& window() const { return window_; }
    // The window with its frame and title bar, as the user sees it.
    [[nodiscard]] QRect framedWindow() const { return window_.marginsAdded(frame_); }
    [[nodiscard]] int menuHeight() const { return menuHeight_; }
    [[nodiscard]] int scale() const { return scale_; }

private:
    int scale_;
    QProcess process_;
    QRect window_;
    QMargins frame_;
    int menuHeight_ = 0;
    QImage shot_;
};

// The background picture as the window shows it: stretched into a 279 by
// 209 box at (-16, -8), on a screen of the given scale.
QImage stretchedBackground(const QString& file, int scale) {
    return QImage(file).scaled(279 * scale, 209 * scale, Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation);
}

// How far the client area's background strays from a reference picture,
// summed over a grid of spots between the keys.
long long strayFrom(const RunningCalculator& calculator, const QImage& reference) {
    long long total = 0;
    const int scale = calculator.scale();
    for (int y = 46 * scale; y < 196 * scale; y += 3)
        for (const int x : {2 * scale, 45 * scale, 145 * scale, 240 * scale, 246 * scale})
            total += distance(calculator.devicePixel(x, y),
                              reference.pixel(x + 16 * scale, y + 8 * scale));
    return total;
}

} // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    // The windows as a user sees them: framed by a window manager, with the
    // test's settings, and its themes and cache kept apart from the user's.
    void initTestCase() {
        QVERIFY(windowManagerHome_.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* folder : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            environment.insert(QString::fromLatin1(folder), windowManagerHome_.path());
        windowManager_.setProcessEnvironment(environment);
        windowManager_.start(QStringLiteral(WINDOW_MANAGER),
                             {QStringLiteral("--sm-disable"), QStringLiteral("--config-file"),
                              QStringLiteral(WINDOW_MANAGER_SETTINGS)});
        QVERIFY(windowManager_.waitForStarted());
        // It names its check window on the root window once it manages the
        // screen.
        QVERIFY(QTest::qWaitFor(
            [] { return !windowNamedByRoot("_NET_SUPPORTING_WM_CHECK").isEmpty(); }, 30000));
    }

    void cleanupTestCase() {
        windowManager_.terminate();
        windowManager_.waitForFinished();
    }

    void windowAtScaleOne() {
        RunningCalculator calculator(1);
        QVERIFY(calculator.waitUntilShown());
        QCOMPARE(calculator.window().width(), kClientSize.width());
        QVERIFY2(calculator.menuHeight() > 10 && calculator.menuHeight() < 40,
                 qPrintable(QString::number(calculator.menuHeight())));

        // Inside the 5 key clear of its bevel and caption, the wide C key and
        // the small "?" key.
        QCOMPARE(calculator.pixel(56 + 5, 104 + 5), kKeyFace);
        QCOMPARE(calculator.pixel(160 + 5, 168 + 5), kKeyFace);
        QCOMPARE(calculator.pixel(232 + 4, 24 + 4), kKeyFace);

        // The picture lies behind the keys.
        const QImage picture = stretchedBackground(QStringLiteral(BACKGROUND_PICTURE), 1);
        for (const QPoint spot :
             {QPoint(4, 50), QPoint(45, 90), QPoint(140, 140), QPoint(245, 195), QPoint(245, 60)})
            QVERIFY2(distance(calculator.pixel(spot.x(), spot.y()),
                              picture.pixel(spot + QPoint(16, 8))) <= 24,
                     qPrintable(QStringLiteral("at %1,%2").arg(spot.x()).arg(spot.y())));

        // The picture for the README: the main window, active in its frame,
        // beside the splash, which has no frame of the window manager's.
        static const QRegularExpression id(QStringLiteral("Window id: (0x[0-9a-f]+)"));
        const QString mainWindow =
            id.match(output(XWININFO, {QStringLiteral("-name"), kTitle})).captured(1);
        QVERIFY(
            QTest::qWaitFor([&] { return windowNamedByRoot("_NET_ACTIVE_WINDOW") == mainWindow; }));
        const QRect both = calculator.framedWindow().united(kSplash);
        QVERIFY(grabScreen(both).save(QDir::current().filePath(QStringLiteral("screenshot.png"))));
    }

    void windowAtScaleTwo() {
        RunningCalculator calculator(2);
        QVERIFY(calculator.waitUntilShown());
        // Twice as large, with the same layout.
        QCOMPARE(calculator.window().width(), 2 * kClientSize.width());
        QCOMPARE(calculator.pixel(56 + 5, 104 + 5), kKeyFace);
        QCOMPARE(calculator.pixel(160 + 5, 168 + 5), kKeyFace);

        // Drawn from the double-size picture, not blown up from the small
        // one: the screen matches the former much more closely.
        const long long fromLarge =
            strayFrom(calculator, stretchedBackground(QStringLiteral(BACKGROUND_PICTURE_2X), 2));
        const long long fromSmall =
            strayFrom(calculator, stretchedBackground(QStringLiteral(BACKGROUND_PICTURE), 2));
        qInfo("background strays %lld from the double-size picture, %lld from the small one",
              fromLarge, fromSmall);
        QVERIFY2(fromLarge * 2 < fromSmall,
                 qPrintable(QStringLiteral("%1 against %2").arg(fromLarge).arg(fromSmall)));
    }

private:
    QTemporaryDir windowManagerHome_;
    QProcess windowManager_;
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
