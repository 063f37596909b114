#include "about_window.h"
#include "help_window.h"
#include "window_testing.h"

#include <QLabel>

using namespace rurozovizera::ui;
using namespace rurozovizera::ui::test_support;

class SecondaryWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }

    void aboutWindowLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("OK") << "cmdOK" << QRect(277, 168, 84, 23) << "OK";
        QTest::newRow("title") << "Lbltitle" << QRect(56, 16, 273, 23) << "RU Rozovizera";
        QTest::newRow("version") << "lblVersion" << QRect(56, 44, 273, 23)
                                 << "Version 2.0(Frost Figures)";
        QTest::newRow("slogan") << "LblHalloween" << QRect(64, 184, 201, 41) << "Wrap Up Warm!!";
        QTest::newRow("snowflakes") << "Image1" << QRect(0, 0, 54, 161) << QString();
    }

    void aboutWindowLayout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        AboutWindow about;
        auto* control = about.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
        if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), caption);
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), caption);
            QVERIFY(button->isDefault());
        }
        QCOMPARE(about.windowTitle(), QStringLiteral("About"));
        QCOMPARE(about.size(), QSize(367, 236));
    }

    void aboutDescriptionHasItsThreeSentences() {
        AboutWindow about;
        const QString text = child<QLabel>(&about, "lblDescription")->text();
        QVERIFY(text.contains(QStringLiteral(
            " Incorporating the seasons and special times of year, to keep your desktop up to "
            "date and fresh. ")));
        QVERIFY(
            text.endsWith(QStringLiteral("Next release due December 1st, \"Merry Christmas! \".")));
        QVERIFY(child<QLabel>(&about, "lblDisclaimer")->text().endsWith(QStringLiteral("  ")));
        QVERIFY(
            child<QLabel>(&about, "lblDisclaimer")->text().contains(QStringLiteral("V.2.0.0  ")));
    }

    void helpWindowLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("heading") << "LblHalloween" << QRect(40, 8, 217, 41)
                                 << "Welcome To Winter!!";
        QTest::newRow("situation")
            << "LblExp1Exp" << QRect(16, 56, 249, 17) << "Situation: To work out 5+7+3+4.";
        QTest::newRow("keys")
            << "Label1" << QRect(16, 80, 257, 41)
            << "To carry this out you must  first do: 5+7 = Followed by +3 = +4 =.";
        QTest::newRow("same rules") << "LblExp1_Carry" << QRect(16, 128, 257, 41)
                                    << "The same rules apply for all other function i.e "
                                       "Multiply, subtract, divide etc.";
        QTest::newRow("note") << "Label2" << QRect(16, 176, 257, 41)
                              << "Note: This will be made easier in the next version. V1.3 "
                                 "When available";
    }

    void helpWindowLayout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        HelpWindow help;
        QCOMPARE(help.windowTitle(), QStringLiteral("Help-Example"));
        QCOMPARE(help.size(), QSize(282, 226));
        auto* label = help.findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->geometry(), geometry);
        QCOMPARE(label->text(), caption);
    }

    void helpNoteIsItalicAndHeadingRed() {
        HelpWindow help;
        QVERIFY(child<QLabel>(&help, "Label2")->font().italic());
        QCOMPARE(child<QLabel>(&help, "LblHalloween")->palette().color(QPalette::WindowText),
                 QColor(Qt::red));
    }
};

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
