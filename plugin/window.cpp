#include "window.h"

void Window::attach(HINSTANCE instance, HWND parent) {
    instance_ = instance;
    parent_ = parent;
}

void Window::setShown(bool shown) { ShowWindow(window_, shown ? SW_SHOW : SW_HIDE); }

void Window::placeAt(const RECT &rect) {
    MoveWindow(window_, rect.left, rect.top, rect.right, rect.bottom, TRUE);
    repaint(false);
}

void Window::placeIn(const RECT &rect) {
    MoveWindow(window_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    repaint(false);
}

void Window::repaint(bool now) {
    InvalidateRect(window_, nullptr, TRUE);
    if (now) UpdateWindow(window_);
}

void Window::clientArea(RECT &rect) const { GetClientRect(window_, &rect); }

void Window::windowArea(RECT &rect) const { GetWindowRect(window_, &rect); }

int Window::clientWidth() const {
    RECT rect = {};
    GetClientRect(window_, &rect);
    return rect.right - rect.left;
}

int Window::visibleHeight() const {
    if (!isShown()) return 0;
    RECT rect = {};
    GetClientRect(window_, &rect);
    return rect.bottom - rect.top;
}

bool Window::isShown() const { return IsWindowVisible(window_) != FALSE; }
