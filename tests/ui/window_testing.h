// Helpers shared by the window tests.
#pragma once

#include "application_setup.h"
#include "display_box.h"
#include "main_window.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace rurozovizera::ui::test_support {

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

// Relative luminance and contrast ratio as accessibility guidelines define
// them; 4.5:1 is their least for ordinary text.
inline double luminance(QColor colour) {
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

inline double contrast(QColor a, QColor b) {
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// A widget as drawn, without the edge of `inset` pixels where bevels and
// frames are drawn.
inline QImage insideOf(QWidget* widget, int inset) {
    return widget->grab(widget->rect().adjusted(inset, inset, -inset, -inset))
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The most frequent colour of a picture: the ground its text is drawn on.
inline QColor groundOf(const QImage& image) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    return QColor(std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                      return a.second < b.second;
                  })->first);
}

// How well the text inside a widget stands out: the contrast of the pixel
// farthest from the ground (the core of a glyph) against the ground. The
// edge of `inset` pixels is left out.
inline double textContrast(QWidget* widget, int inset) {
    const QImage image = insideOf(widget, inset);
    const QColor ground = groundOf(image);
    double best = 1.0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            best = std::max(best, contrast(ground, QColor(image.pixel(x, y))));
    return best;
}

// How wide the text inside a widget is inked, in pixels: from the leftmost
// to the rightmost pixel that stands out from the ground by at least 1.5:1,
// which leaves out the faintest edge of smoothing. The edge of `inset`
// pixels is left out.
inline int inkWidth(QWidget* widget, int inset) {
    const QImage image = insideOf(widget, inset);
    const QColor ground = groundOf(image);
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (contrast(ground, QColor(image.pixel(x, y))) >= 1.5) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return std::max(0, right - left + 1);
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

} // namespace rurozovizera::ui::test_support
