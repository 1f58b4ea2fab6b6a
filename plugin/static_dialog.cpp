#include "static_dialog.h"

#include <cstring>

#include "host_messages.h"

StaticDialog::~StaticDialog() { destroyWindow(); }

void StaticDialog::close() { destroyWindow(); }

bool StaticDialog::hasWindow() const { return window_ != nullptr; }

void StaticDialog::destroyWindow() {
    if (window_ == nullptr) return;
    HWND window = window_;
    window_ = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    SendMessageW(parent_, NPPM_MODELESSDIALOG, MODELESSDIALOGREMOVE, reinterpret_cast<LPARAM>(window));
    DestroyWindow(window);
}

void StaticDialog::createFromResource(int dialogId, bool rightToLeft) {
    HWND window;
    if (rightToLeft) {
        window = createMirrored(dialogId);
    } else {
        window = CreateDialogParamW(instance_, MAKEINTRESOURCEW(dialogId), parent_, dialogProc,
                                    reinterpret_cast<LPARAM>(this));
    }
    if (window != nullptr) {
        SendMessageW(parent_, NPPM_MODELESSDIALOG, MODELESSDIALOGADD, reinterpret_cast<LPARAM>(window));
    }
}

// Copies the dialog template, sets WS_EX_LAYOUTRTL in its extended style and creates the
// dialog from the copy.
HWND StaticDialog::createMirrored(int dialogId) {
    HRSRC info = FindResourceW(instance_, MAKEINTRESOURCEW(dialogId), MAKEINTRESOURCEW(5));
    if (info == nullptr) return nullptr;
    HGLOBAL loaded = LoadResource(instance_, info);
    const void *source = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(instance_, info);
    if (source == nullptr || size < 12) return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_ZEROINIT, size);
    if (copy == nullptr) return nullptr;
    auto *bytes = static_cast<unsigned char *>(GlobalLock(copy));
    HWND window = nullptr;
    if (bytes != nullptr) {
        std::memcpy(bytes, source, size);
        WORD signature;
        std::memcpy(&signature, bytes + 2, sizeof signature);
        // Extended template: version, signature 0xFFFF, help id, then the extended style.
        // Plain template: style, then the extended style.
        const size_t offset = signature == 0xFFFF ? 8 : 4;
        DWORD exStyle;
        std::memcpy(&exStyle, bytes + offset, sizeof exStyle);
        exStyle |= WS_EX_LAYOUTRTL;
        std::memcpy(bytes + offset, &exStyle, sizeof exStyle);
        window = CreateDialogIndirectParamW(instance_, reinterpret_cast<LPCDLGTEMPLATEW>(bytes),
                                            parent_, dialogProc, reinterpret_cast<LPARAM>(this));
        GlobalUnlock(copy);
    }
    GlobalFree(copy);
    return window;
}

INT_PTR CALLBACK StaticDialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto *dialog = reinterpret_cast<StaticDialog *>(lParam);
        dialog->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
        GetWindowRect(window, &dialog->windowRect_);
        dialog->handleMessage(message, wParam, lParam);
        return TRUE;
    }
    auto *dialog = reinterpret_cast<StaticDialog *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (dialog == nullptr) return FALSE;
    const INT_PTR result = dialog->handleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Destroyed by someone else (the host at shutdown, for instance): forget the
        // handle so it is never used again and the panel can be created anew.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (dialog->window_ == window) dialog->window_ = nullptr;
    }
    return result;
}
