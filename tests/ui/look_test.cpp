// The fonts the layouts name, as the windows draw them: each with its
// look-alike from the distribution, condensed where the named font is
// narrower, and with the size and weight the layout gives.
#include "look.h"
#include "window_testing.h"

using namespace rurozovizera::ui;

class LookTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testing::setUpApplication(); }

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
};

QTEST_MAIN(LookTest)
#include "look_test.moc"
