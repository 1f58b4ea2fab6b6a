// Window: the base of the output panel's classes. Holds the module instance, the parent
// and the object's own window, and the geometry and visibility operations on it.
#ifndef QIV_PLUGIN_WINDOW_H
#define QIV_PLUGIN_WINDOW_H

#include <windows.h>

class Window {
public:
    Window() = default;
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;
    virtual ~Window() = default;

    // Stores the module instance and the parent window.
    virtual void attach(HINSTANCE instance, HWND parent);
    // Closes the window; each subclass decides how.
    virtual void close() = 0;
    // Shows (SW_SHOW) or hides (SW_HIDE) the own window.
    virtual void setShown(bool shown);
    // Moves to rect.left, rect.top with width rect.right and height rect.bottom.
    virtual void placeAt(const RECT &rect);
    // Moves to fill rect (right - left wide, bottom - top high).
    virtual void placeIn(const RECT &rect);
    // Invalidates the whole window with erase; with now, also paints at once.
    virtual void repaint(bool now);
    virtual void clientArea(RECT &rect) const;
    virtual void windowArea(RECT &rect) const;
    virtual int clientWidth() const;
    // Client height, or 0 while the window is hidden.
    virtual int visibleHeight() const;
    virtual bool isShown() const;

    HINSTANCE instance() const { return instance_; }
    HWND parent() const { return parent_; }
    HWND window() const { return window_; }
    void setParent(HWND parent) { parent_ = parent; }

protected:
    HINSTANCE instance_ = nullptr;
    HWND parent_ = nullptr;
    HWND window_ = nullptr;
};

#endif
