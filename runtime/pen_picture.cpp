// Picture files drawn at the pen through the platform's picture loader, so every format it
// reads (BMP, PNG, JPEG, GIF, icons, metafiles) can be shown. Each call loads the file anew
// and releases the picture after drawing it.
#include <olectl.h>

#include "core/pen_text_layout.h"
#include "runtime_internal.h"

namespace {

// The full path of a picture of the program's folder in UTF-16, as the loader takes it.
// A path of more than 254 bytes is refused.
bool picturePath(const string& name, wchar_t (&wide)[255]) {
    const string path = getCurPath() + "\\" + name;
    if (path.size() + 1 > sizeof wide / sizeof wide[0]) return false;
    return MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, 255) > 0;
}

// COM for the calling thread while a picture is loaded and drawn. The functions are looked
// up in ole32, which the picture library itself loads, so a program needs no other library.
class TcomScope {
public:
    TcomScope() : uninit(NULL), entered(false) {
        HMODULE ole32 = GetModuleHandleA("ole32.dll");
        if (ole32 == NULL) ole32 = LoadLibraryA("ole32.dll");
        if (ole32 == NULL) return;
        typedef HRESULT(WINAPI * InitFn)(LPVOID, DWORD);
        InitFn init = reinterpret_cast<InitFn>(reinterpret_cast<void*>(GetProcAddress(ole32, "CoInitializeEx")));
        uninit = reinterpret_cast<UninitFn>(reinterpret_cast<void*>(GetProcAddress(ole32, "CoUninitialize")));
        // S_OK and S_FALSE both count once; a thread already in another apartment is used
        // as it is.
        entered = init != NULL && uninit != NULL && SUCCEEDED(init(NULL, COINIT_APARTMENTTHREADED));
    }
    ~TcomScope() {
        if (entered) uninit();
    }

private:
    typedef void(WINAPI* UninitFn)();
    UninitFn uninit;
    bool entered;
};

IPicture* loadPicture(const string& name) {
    wchar_t path[255];
    if (!picturePath(name, path)) return NULL;
    IPicture* picture = NULL;
    if (FAILED(OleLoadPicturePath(path, NULL, 0, 0, IID_IPicture, reinterpret_cast<void**>(&picture)))) return NULL;
    return picture;
}

}  // namespace

void _showPicture(IPicture* picture, double w, double h, bool centred) {
    if (picture == NULL || _pen.hdc == NULL) return;
    OLE_XSIZE_HIMETRIC hmW = 0;
    OLE_YSIZE_HIMETRIC hmH = 0;
    picture->get_Width(&hmW);
    picture->get_Height(&hmH);
    const qiv::PictureBox box =
        qiv::pictureBox(xScn(pen.x()), yScn(pen.y()), w, h, qiv::naturalPixels(hmW, GetDeviceCaps(_pen.hdc, LOGPIXELSX)),
                        qiv::naturalPixels(hmH, GetDeviceCaps(_pen.hdc, LOGPIXELSY)), _pen.scale, centred);
    if (pen.headShow) _head.restoreScreen();
    picture->Render(_pen.hdc, box.left, box.top, box.width, box.height, 0, hmH, hmW, -hmH, NULL);
    if (pen.headShow) {
        pen.headShow = false;  // erased above: show() must not paint the old background back
        pen.show();
    }
}

Tpen2& Tpen2::pic(string file, double w, double h, bool centred) {
    _runtimeCheckpoint();
    bool drawn = false;
    {
        TcomScope com;
        IPicture* picture = loadPicture(file);
        if (picture != NULL) {
            _showPicture(picture, w, h, centred);
            picture->Release();
            drawn = true;
        }
    }
    if (!drawn) {
        // The box waits for the user; a stop meanwhile may end the worker right here.
        TblockedScope blocked;
        MessageBoxA(NULL, "调图形文件失败！", "出错", MB_ICONWARNING);
    }
    return *this;
}

Tpen2& Tpen2::pic(string file) { return pic(file, -1, -1, true); }
