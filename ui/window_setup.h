// Setting up the windows: their stored size, place and ground, and showing
// them.
#pragma once

#include "twips.h"

#include <QPoint>
#include <QSize>
#include <QWidget>

#include <cstdint>

namespace rurozovizera::ui {

// Gives a window its stored client size and places it at its stored
// position, moved in where that would leave it partly off the screen.
void placeWindow(QWidget* window, QSize clientSize, QPoint storedPosition);

// A secondary window as stored.
struct WindowSpec {
    const char* name;
    const char* title; // null for a window that shows no caption
    TwipsRect clientArea;
    int frameWidth = 0; // in pixels: a frame the window draws itself around its client area
};

// Names and titles a secondary window, offers it to screen readers as a
// window, grounds it in dark navy, sizes it and places its client area where
// it was stored. The window is destroyed when closed.
void setUpWindow(QWidget* window, const WindowSpec& spec);

// Fills a window or frame with a plain ground colour.
void setGround(QWidget* widget, std::uint32_t bgr);

// Shows a window modeless, or brings it to the front if it is on screen.
void showInFront(QWidget* window);

} // namespace rurozovizera::ui
