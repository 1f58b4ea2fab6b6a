// StaticDialog: a Window made from a dialog resource, registered with the host as a
// modeless dialog so that the host routes dialog keys to it. One dialog procedure serves
// every StaticDialog; it finds the object through the window's user data.
#ifndef QIV_PLUGIN_STATIC_DIALOG_H
#define QIV_PLUGIN_STATIC_DIALOG_H

#include "window.h"

class StaticDialog : public Window {
public:
    // Detaches the object from its window, unregisters and destroys the window.
    ~StaticDialog() override;

    // Unregisters the modeless dialog and destroys the window.
    void close() override;
    // Creates the window from dialog resource `dialogId` of the module, mirrored for
    // right-to-left layouts if asked, and registers it with the host.
    virtual void createFromResource(int dialogId, bool rightToLeft);
    virtual bool hasWindow() const;
    // Messages of the window after creation; the result is the dialog procedure's.
    virtual INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    RECT windowRect_ = {};  // screen rectangle at creation

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND createMirrored(int dialogId);
    void destroyWindow();
};

#endif
