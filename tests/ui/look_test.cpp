// The fonts the layouts name, as the windows draw them: each with its
// look-alike from the distribution, condensed where the named font is
// narrower, and with the size and weight the layout gives; and the operator
// keys' signs, which the look-alike must draw as large and as dark as the
// named font does, on a screen of 96 dots per inch.
#include "look.h"
#include "start_up.h"
#include "window_testing.h"

#include <QScreen>

using namespace rurozovizera::ui;
using namespace rurozovizera::ui::test_support;

class LookTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test_support::setUpApplication(); }

    void namedFontsAreDrawnWithTheirStandIns_data() {
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<int>("stretch"); // AnyStretch: the font's own width
        QTest::newRow("Comic Sans MS") << "Comic Sans MS"
                                       << "Comic Neue" << int(QFont::AnyStretch);
        QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                       << "Liberation Sans" << int(QFont::AnyStretch);
        QTest::newRow("Arial") << "Arial"
                               << "Liberation Sans" << int(QFont::AnyStretch);
        QTest::newRow("Roman") << "Roman"
                               << "Liberation Serif" << 90;
        QTest::newRow("Modern") << "Modern"
                                << "Liberation Sans" << 80;
        QTest::newRow("an installed font") << "Liberation Serif"
                                           << "Liberation Serif" << int(QFont::AnyStretch);
    }

    void namedFontsAreDrawnWithTheirStandIns() {
        QFETCH(QString, named);
        QFETCH(QString, drawn);
        QFETCH(int, stretch);
        const QByteArray family = named.toLatin1();
        const QFont font = FontSpec{family.constData(), 13.5, true, true}.toFont();
        QCOMPARE(QFontInfo(font).family(), drawn);
        QCOMPARE(font.stretch(), stretch);
        QCOMPARE(font.pointSizeF(), 13.5);
        QVERIFY(font.bold());
        QVERIFY(font.italic());
    }

    // Each sign stands out from the key face as a digit does: at least 7:1
    // at its core, and the signs drawn with a stroke across at least 7
    // pixels wide, as the named font draws them; the point is just a dot.
    void operatorCaptionsAreLargeAndDark_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("width");
        QTest::newRow("+") << "cmdAdd" << 7;
        QTest::newRow("-") << "cmdSubtract" << 7;
        QTest::newRow("*") << "cmdMultiply" << 7;
        QTest::newRow("/") << "cmdDivide" << 7;
        QTest::newRow("=") << "CmdEquals" << 7;
        QTest::newRow(".") << "CmdDot" << 1;
    }

    void operatorCaptionsAreLargeAndDark() {
        QFETCH(QString, key);
        QFETCH(int, width);
        MainWindow window;
        startUp(window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.screen()->logicalDotsPerInch(), 96.0);
        // Inside the bevel and the focus rectangle.
        auto* button = child<QPushButton>(&window, key.toLatin1().constData());
        QVERIFY(button);
#ifdef _WIN32
        // Windows has Comic Sans MS itself; only where it lacks it (under
        // Wine) does its own font engine draw the look-alike, a pixel
        // narrower here and there than FreeType draws it on Linux, where the
        // widths are held to.
        Q_UNUSED(width);
#else
        const int inked = inkWidth(button, 4);
        QVERIFY2(inked >= width, qPrintable(QStringLiteral("%1 pixels wide").arg(inked)));
#endif
        const double ratio = textContrast(button, 4);
        QVERIFY2(ratio >= 7.0, qPrintable(QStringLiteral("%1:1").arg(ratio)));
    }
};

QTEST_MAIN(LookTest)
#include "look_test.moc"
