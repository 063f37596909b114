#include "splash_window.h"
#include "window_setup.h"
#include "window_testing.h"

#include <QLabel>

#include <memory>

using namespace rurozovizera::ui;
using namespace rurozovizera::ui::test_support;

class SplashWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }

    void init() {
        splash_ = new SplashWindow;
        splash_->showContent();
        showInFront(splash_);
        QVERIFY(QTest::qWaitForWindowActive(splash_));
    }

    void cleanup() { delete splash_; }

    void showsTheVersionAtTheRightOfTheFrame() {
        auto* version = child<QLabel>(splash_, "lblVersion");
        QCOMPARE(version->text(), QStringLiteral("Version 1.0.0"));
        // Right-aligned and sized to its text: its right edge stays put.
        QCOMPARE(version->geometry().right(), 220 + 239 - 1);
        QVERIFY(version->width() < 239);
        QVERIFY(splash_->windowTitle().isEmpty());
        // The stored client area, inside a fixed dialog frame of its own.
        QCOMPARE(splash_->size(), QSize(498, 289));
        QCOMPARE(child(splash_, "clientArea")->geometry(), QRect(3, 3, 492, 283));
        QCOMPARE(child(splash_, "Frame1")->geometry(), QRect(8, 8, 472, 270));
        QCOMPARE(child(splash_, "Label2")->geometry(), QRect(16, 136, 201, 89));
    }

    void clicksThatClose_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("closes");
        QTest::newRow("margin") << QString() << true;
        QTest::newRow("dialog frame") << QStringLiteral("dialog frame") << false;
        QTest::newRow("frame") << "Frame1" << true;
        QTest::newRow("click to close") << "Label1" << true;
        QTest::newRow("greeting") << "Label2" << false;
        QTest::newRow("slogan") << "LblStyle" << false;
        QTest::newRow("version") << "lblVersion" << false;
        QTest::newRow("left snowflakes") << "Image3" << false;
        QTest::newRow("right snowflakes") << "Image2" << false;
    }

    void clicksThatClose() {
        QFETCH(QString, target);
        QFETCH(bool, closes);
        const bool onWindow = target.isEmpty() || target == "dialog frame";
        QWidget* widget = onWindow ? splash_.data() : splash_->findChild<QWidget*>(target);
        QVERIFY(widget);
        // The margin is the strip between the dialog frame and Frame1.
        const QPoint where = target.isEmpty()           ? QPoint(6, 6)
                             : target == "dialog frame" ? QPoint(1, 1)
                             : target == "Frame1"       ? QPoint(200, 20)
                                                        : widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, {}, where);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(splash_.isNull(), closes);
    }

    void keysThatClose_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("letter") << int(Qt::Key_A) << true;
        QTest::newRow("digit") << int(Qt::Key_5) << true;
        QTest::newRow("punctuation") << int(Qt::Key_Comma) << true;
        QTest::newRow("space") << int(Qt::Key_Space) << true;
        QTest::newRow("enter") << int(Qt::Key_Return) << true;
        QTest::newRow("escape") << int(Qt::Key_Escape) << true;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << true;
        QTest::newRow("arrow") << int(Qt::Key_Left) << false;
        QTest::newRow("function key") << int(Qt::Key_F1) << false;
        QTest::newRow("shift") << int(Qt::Key_Shift) << false;
    }

    void keysThatClose() {
        QFETCH(int, key);
        QFETCH(bool, closes);
        QTest::keyClick(splash_.data(), Qt::Key(key));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(splash_.isNull(), closes);
    }

private:
    QPointer<SplashWindow> splash_;
};

QTEST_MAIN(SplashWindowTest)
#include "splash_window_test.moc"
