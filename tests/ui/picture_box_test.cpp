// The pictures as the windows draw them: each stretched to its box exactly as
// Qt's smooth scaling stretches the picture, and the icon exactly as read,
// although the build made them ready ahead; and on a screen of scale 1 every
// box and every size of the icon finds its picture made ready, so that no
// window reads or stretches one as it first draws.
#include "about_window.h"
#include "application_icon.h"
#include "ready_picture.h"
#include "splash_window.h"
#include "window_testing.h"

#include <QPixmap>

#include <memory>
#include <utility>

using namespace rurozovizera::ui;
using namespace rurozovizera::ui::test_support;

class PictureBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }

    void picturesAreStretchedToTheirBoxes_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("picture");
        QTest::newRow("main window") << "main"
                                     << "Image2"
                                     << ":/pictures/background.bmp";
        QTest::newRow("splash, left") << "splash"
                                      << "Image3"
                                      << ":/pictures/snowflakes.bmp";
        QTest::newRow("splash, right") << "splash"
                                       << "Image2"
                                       << ":/pictures/snowflakes.bmp";
        QTest::newRow("About") << "about"
                               << "Image1"
                               << ":/pictures/snowflakes.bmp";
    }

    void picturesAreStretchedToTheirBoxes() {
        QFETCH(QString, window);
        QFETCH(QString, box);
        QFETCH(QString, picture);
        std::unique_ptr<QWidget> shown;
        if (window == QLatin1String("main"))
            shown = std::make_unique<MainWindow>();
        else if (window == QLatin1String("splash")) {
            auto splash = std::make_unique<SplashWindow>();
            splash->showContent();
            shown = std::move(splash);
        } else
            shown = std::make_unique<AboutWindow>();
        const auto* pictureBox = child(shown.get(), box.toLatin1().constData());
        QVERIFY(pictureBox);
        const QSize size = pictureBox->size();

        QVERIFY2(!readyPicture(picture, size).isNull(),
                 "the build stretches no copy for this box's size");
        const QImage expected = QPixmap(picture)
                                    .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                    .toImage()
                                    .convertToFormat(QImage::Format_RGB32);
        const QImage drawn = const_cast<QWidget*>(pictureBox)
                                 ->grab()
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(drawn, expected);
    }

    void iconIsGivenAsRead_data() {
        QTest::addColumn<int>("side");
        for (const int side : {16, 32, 64})
            QTest::addRow("%d pixels", side) << side;
    }

    void iconIsGivenAsRead() {
        QFETCH(int, side);
        const QString file = QStringLiteral(":/pictures/icon-%1.png").arg(side);
        QVERIFY2(!readyPicture(file, QSize(side, side)).isNull(),
                 "the build made this size of the icon ready");
        QCOMPARE(applicationIcon().pixmap(QSize(side, side)).toImage(), QPixmap(file).toImage());
    }
};

QTEST_MAIN(PictureBoxTest)
#include "picture_box_test.moc"
