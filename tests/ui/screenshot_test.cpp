// Starts the real calculator in a real X11 window (under Xvfb), takes
// screenshots of it at screen scales 1 and 2, and checks what a user would
// see: the window's size, the pale-cyan key faces, and the snowy picture
// behind the keys, drawn sharp on the scaled screen. The screenshot at
// scale 1, with the splash window beside the main window, is saved as
// screenshot.png in the working folder.
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
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

// A window's rectangle on the screen, from xwininfo, once it is mapped.
QRect findWindow(const QString& title) {
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-name"), title});
    if (!xwininfo.waitForFinished(5000) || xwininfo.exitCode() != 0)
        return {};
    const QString info = QString::fromLocal8Bit(xwininfo.readAllStandardOutput());
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
            if (!window_.isEmpty()) {
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
    [[nodiscard]] int menuHeight() const { return menuHeight_; }
    [[nodiscard]] int scale() const { return scale_; }

private:
    int scale_;
    QProcess process_;
    QRect window_;
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

        // The picture for the README: the main window beside the splash.
        const QRect both = calculator.window().united(kSplash);
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
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
