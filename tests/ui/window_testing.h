// Helpers shared by the window tests.
#pragma once

#include "application_setup.h"
#include "display_box.h"
#include "main_window.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace rurozovizera::ui::testing {

// The program's own set-up of the application, as its main() does.
inline void setUpApplication() { configureApplication(); }

template <typename T = QWidget>
T* child(const QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qWarning("no child named %s", name);
    return found;
}

// Clicks the keys with the given captions, separated by blanks.
inline void clickKeys(const MainWindow& window, const QString& captions) {
    const auto keys = window.findChildren<QPushButton*>();
    for (const QString& caption : captions.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QPushButton* key = nullptr;
        for (QPushButton* candidate : keys)
            if (candidate->text() == caption)
                key = candidate;
        QVERIFY2(key, qPrintable(QStringLiteral("no key ") + caption));
        QTest::mouseClick(key, Qt::LeftButton);
    }
}

// The display box on view.
inline DisplayBox* visibleDisplay(const MainWindow& window) {
    auto* primary = child<DisplayBox>(&window, "TxtDisplay");
    auto* secondary = child<DisplayBox>(&window, "txtdisplay2");
    return primary->isVisible() ? primary : secondary;
}

// Runs `action` once the next modal window is up (the error report), from
// inside its event loop.
inline void whenModalShown(std::function<void(QWidget*)> action) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        }
    });
    poll->start();
}

// Runs the application's event loop until it quits, at most a few seconds.
// Returns whether the application quit by itself.
inline bool runUntilQuit(std::function<void()> action) {
    QTimer::singleShot(0, action);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    return QApplication::exec() == 0;
}

} // namespace rurozovizera::ui::testing
