// Starts the real calculator in a real X11 window (under Xvfb), takes a
// screenshot of it and checks what a user would see: the window's size, the
// pale-cyan key faces, and the snowy picture behind the keys.
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

namespace {

const QString kTitle = QStringLiteral("RuRozovizera(Frost Figures)");
// The keys' pale cyan face, as 0xRRGGBB.
constexpr QRgb kKeyFace = 0xC0FFFF;

// The window's client rectangle on the screen, from xwininfo, once mapped.
QRect findWindow() {
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-name"), kTitle});
    if (!xwininfo.waitForFinished(5000) || xwininfo.exitCode() != 0)
        return {};
    const QString info = QString::fromLocal8Bit(xwininfo.readAllStandardOutput());
    auto number = [&](const char* field) {
        const QRegularExpression pattern(QString::fromLatin1(field) +
                                         QStringLiteral(":\\s+(-?\\d+)"));
        return pattern.match(info).captured(1).toInt();
    };
    if (!info.contains(QStringLiteral("IsViewable")))
        return {};
    return {number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"),
            number("Height")};
}

int distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

} // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        calculator_.setProgram(QStringLiteral(CALCULATOR_EXECUTABLE));
        calculator_.start();
        QVERIFY(calculator_.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!(window_ = findWindow()).isEmpty(), 10000);
        // The client area: 250 by 198 pixels below the menu bar.
        menuHeight_ = window_.height() - 198;
        QTRY_VERIFY_WITH_TIMEOUT(keyFaceShown(), 10000);
        shot_ = grab();
        shot_.save(QDir::temp().filePath(QStringLiteral("rurozovizera-screenshot.png")));
    }

    void cleanupTestCase() {
        calculator_.kill();
        calculator_.waitForFinished();
    }

    void windowHasTheStoredSize() {
        QCOMPARE(window_.width(), 250);
        QVERIFY2(menuHeight_ > 10 && menuHeight_ < 40, qPrintable(QString::number(menuHeight_)));
    }

    void keysShowThePaleCyanFace() {
        // Inside the 5 key, clear of its bevel and caption.
        QCOMPARE(pixel(56 + 5, 104 + 5), kKeyFace);
        // The wide C key and the small "?" key.
        QCOMPARE(pixel(160 + 5, 168 + 5), kKeyFace);
        QCOMPARE(pixel(232 + 4, 24 + 4), kKeyFace);
    }

    void backgroundPictureLiesBehindTheKeys() {
        // The picture is stretched into a 279 by 209 box at (-16, -8).
        QImage picture(QStringLiteral(BACKGROUND_PICTURE));
        QVERIFY(!picture.isNull());
        picture = picture.scaled(279, 209, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        for (const QPoint spot :
             {QPoint(4, 50), QPoint(45, 90), QPoint(140, 140), QPoint(245, 195), QPoint(245, 60)}) {
            const QRgb expected = picture.pixel(spot + QPoint(16, 8));
            QVERIFY2(distance(pixel(spot.x(), spot.y()), expected) <= 24,
                     qPrintable(QStringLiteral("at %1,%2").arg(spot.x()).arg(spot.y())));
        }
    }

private:
    QImage grab() const {
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, window_.x(), window_.y(), window_.width(), window_.height())
            .toImage();
    }

    // A pixel of the client area, below the menu bar.
    QRgb pixel(int x, int y) const { return shot_.pixel(x, y + menuHeight_) & 0xFFFFFF; }

    bool keyFaceShown() {
        shot_ = grab();
        return !shot_.isNull() && pixel(56 + 5, 104 + 5) == kKeyFace;
    }

    QProcess calculator_;
    QRect window_;
    int menuHeight_ = 0;
    QImage shot_;
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
