// The pen head: a small pencil drawn straight onto the canvas at the pen's pixel, turned to
// its heading. The square of canvas under it is copied aside before it is drawn and copied
// back to erase it; the pen's motion does both at every animation step, so nothing here
// allocates per step. Every drawing operation needs the run's canvas device context and
// does nothing before the first run has one.
//
// Drawing the turned image: the canvas under the head is copied into a 32-bit work square,
// the image's pixels are laid onto it through the mask along the parallelogram of the
// head's corners (each canvas pixel takes the image pixel under its centre), and the square
// is copied back. This is what a masked parallelogram copy (PlgBlt) does, done by hand
// because not every GDI in use turns bitmaps: Wine's PlgBlt ignores the rotation and
// blackens the canvas where the mask is clear.
#include <algorithm>

#include "core/head_geometry.h"
#include "runtime_internal.h"

TpenHead _head;

namespace {

// Built-in images: resource "<name>Head_bmp" for head colours 0-15, and the mask (16).
const char* const penHeadNames[17] = {"black", "red",    "blue",   "green", "cyan", "yellow",
                                      "brown", "blue",   "white",  "pink",  "green", "violet",
                                      "cyan",  "yellow", "gold",   "white", "mask"};
const int kMaskHead = 16;
const int kStartHead = 7;  // the blue pencil of the pen's start colour

HINSTANCE programModule() { return _hInstance != NULL ? _hInstance : GetModuleHandleA(NULL); }

HBITMAP loadResourceBitmap(const string& name) {
    return static_cast<HBITMAP>(LoadImageA(programModule(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_SHARED));
}

// Header of a 32-bit top-down DIB: pixels 0x00RRGGBB, rows top first.
BITMAPINFO topDown32(int width, int height) {
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

}  // namespace

TpenHead::TpenHead()
    : hImage(NULL), hMask(NULL), hSave(NULL), dcImage(NULL), dcSave(NULL), imageWidth(0), imageHeight(0),
      radius(0), cornerAngle(0), saveX(0), saveY(0), custom(false), side(0), imageDefault(NULL),
      saveDefault(NULL), ownsImages(false), dcWork(NULL), hWork(NULL), workDefault(NULL), workBits(NULL),
      workSide(0) {
    ZeroMemory(corners, sizeof corners);
    ZeroMemory(heads, sizeof heads);
    // Compatible with the canvas once a run has one; at program start with the screen.
    dcImage = CreateCompatibleDC(_pen.hdc);
    dcSave = CreateCompatibleDC(_pen.hdc);
    dcWork = CreateCompatibleDC(_pen.hdc);
    setGeometry(qiv::kBuiltInHeadWidth, qiv::kBuiltInHeadHeight);
}

TpenHead::~TpenHead() {
    if (dcImage != NULL) {
        if (imageDefault != NULL) SelectObject(dcImage, imageDefault);
        DeleteDC(dcImage);
    }
    if (dcSave != NULL) {
        if (saveDefault != NULL) SelectObject(dcSave, saveDefault);
        DeleteDC(dcSave);
    }
    if (dcWork != NULL) {
        if (workDefault != NULL) SelectObject(dcWork, workDefault);
        DeleteDC(dcWork);
    }
    if (hSave != NULL) DeleteObject(hSave);
    if (hWork != NULL) DeleteObject(hWork);
    releaseOwned(hImage, hMask);
}

// --- geometry and the saved square ---------------------------------------------------------
void TpenHead::setGeometry(int width, int height) {
    imageWidth = width;
    imageHeight = height;
    const qiv::HeadShape shape = qiv::headShape(width, height);
    radius = shape.radius;
    cornerAngle = shape.cornerAngle;
    side = shape.side;
}

// A fresh side x side bitmap for the saved square, in the canvas's format, selected into
// dcSave in place of the last one; and the work square in which the head is composed, a
// little larger than anything the turned image can cover.
void TpenHead::newSaveSquare() {
    if (dcSave == NULL || dcWork == NULL) return;
    HDC reference = _pen.hdc != NULL ? _pen.hdc : GetDC(NULL);
    HBITMAP fresh = CreateCompatibleBitmap(reference, side, side);
    if (_pen.hdc == NULL) ReleaseDC(NULL, reference);
    if (fresh != NULL) {
        HGDIOBJ previous = SelectObject(dcSave, fresh);
        if (saveDefault == NULL) saveDefault = previous;
        if (hSave != NULL) DeleteObject(hSave);
        hSave = fresh;
    }

    const int workNeeded = side + 2;
    if (hWork != NULL && workSide >= workNeeded) return;
    BITMAPINFO bi = topDown32(workNeeded, workNeeded);
    void* bits = NULL;
    HBITMAP work = CreateDIBSection(dcWork, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    if (work == NULL) return;
    HGDIOBJ previous = SelectObject(dcWork, work);
    if (workDefault == NULL) workDefault = previous;
    if (hWork != NULL) DeleteObject(hWork);
    hWork = work;
    workBits = static_cast<DWORD*>(bits);
    workSide = workNeeded;
}

void TpenHead::saveScreen() {
    if (_pen.hdc == NULL || hSave == NULL) return;
    const qiv::HeadShape shape = {radius, cornerAngle, side};
    const qiv::HeadPixel origin = qiv::saveSquareOrigin(xScn(pen.x()), yScn(pen.y()), shape);
    saveX = origin.x;
    saveY = origin.y;
    BitBlt(dcSave, 0, 0, side, side, _pen.hdc, saveX, saveY, SRCCOPY);
}

void TpenHead::restoreScreen() {
    if (_pen.hdc == NULL || hSave == NULL) return;
    BitBlt(_pen.hdc, saveX, saveY, side, side, dcSave, 0, 0, SRCCOPY);
}

// --- the images --------------------------------------------------------------------------
// Selects hImage into dcImage and reads its drawn part and the mask into pixel arrays.
void TpenHead::selectImage() {
    if (dcImage != NULL && hImage != NULL) {
        HGDIOBJ previous = SelectObject(dcImage, hImage);
        if (imageDefault == NULL) imageDefault = previous;
    }
    captureImage();
}

void TpenHead::captureImage() {
    imagePixels.clear();
    imageMask.clear();
    const int w = imageWidth, h = imageHeight;
    if (dcImage == NULL || hImage == NULL || w <= 0 || h <= 0) return;
    BITMAPINFO bi = topDown32(w, h);
    void* bits = NULL;
    HBITMAP copy = CreateDIBSection(dcImage, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC dc = CreateCompatibleDC(dcImage);
    if (copy != NULL && dc != NULL) {
        HGDIOBJ previous = SelectObject(dc, copy);
        BitBlt(dc, 0, 0, w, h, dcImage, 0, 0, SRCCOPY);
        GdiFlush();
        const DWORD* px = static_cast<const DWORD*>(bits);
        imagePixels.assign(px, px + w * h);
        SelectObject(dc, previous);
    }
    if (dc != NULL) DeleteDC(dc);
    if (copy != NULL) DeleteObject(copy);
    if (imagePixels.empty() || hMask == NULL) return;

    // The mask's set bits read back white. Where a smaller mask ends, nothing is drawn.
    BITMAP m;
    if (GetObjectA(hMask, sizeof m, &m) == 0) return;
    std::vector<DWORD> maskPixels(static_cast<size_t>(m.bmWidth) * m.bmHeight);
    BITMAPINFO mi = topDown32(m.bmWidth, m.bmHeight);
    if (maskPixels.empty() || GetDIBits(dcImage, hMask, 0, m.bmHeight, maskPixels.data(), &mi, DIB_RGB_COLORS) == 0) {
        imageMask.assign(w * h, 0);
        return;
    }
    imageMask.assign(w * h, 0);
    for (int y = 0; y < h && y < m.bmHeight; ++y)
        for (int x = 0; x < w && x < m.bmWidth; ++x)
            imageMask[y * w + x] = (maskPixels[y * m.bmWidth + x] & 0xFFFFFF) != 0;
}

// Deletes the replacement images chang loaded from files once they are no longer in use.
// Built-in and resource images are shared and never deleted.
void TpenHead::releaseOwned(HBITMAP oldImage, HBITMAP oldMask) {
    if (!ownsImages) return;
    ownsImages = false;
    if (oldImage != NULL && oldImage != hImage) DeleteObject(oldImage);
    if (oldMask != NULL && oldMask != hMask) DeleteObject(oldMask);
}

void TpenHead::init() {
    const HBITMAP oldImage = hImage, oldMask = hMask;
    // Loaded once for the process: shared resource images are not always shared (Wine returns
    // a new bitmap for every load), so loading them at every run would leak 17 bitmaps a run.
    for (int i = 0; i < 17; ++i)
        if (heads[i] == NULL) heads[i] = loadResourceBitmap(string(penHeadNames[i]) + "Head_bmp");
    hMask = heads[kMaskHead];
    hImage = heads[kStartHead];
    custom = false;
    setGeometry(qiv::kBuiltInHeadWidth, qiv::kBuiltInHeadHeight);
    newSaveSquare();
    saveScreen();
    selectImage();
    releaseOwned(oldImage, oldMask);
}

void TpenHead::color(int i) {
    const int k = ((i % 16) + 16) % 16;
    if (heads[k] == NULL) return;  // not initialised yet: nothing to choose from
    const HBITMAP oldImage = hImage, oldMask = hMask;
    hImage = heads[k];
    if (custom) {
        // Back from a replacement image to the built-in pencil and its geometry.
        custom = false;
        hMask = heads[kMaskHead];
        if (pen.headShow) restoreScreen();
        setGeometry(qiv::kBuiltInHeadWidth, qiv::kBuiltInHeadHeight);
        newSaveSquare();
        saveScreen();
    }
    selectImage();
    releaseOwned(oldImage, oldMask);
}

void TpenHead::show(int px, int py, double heading) {
    if (_pen.hdc == NULL || workBits == NULL || imagePixels.empty()) return;
    const qiv::HeadShape shape = {radius, cornerAngle, side};
    const qiv::HeadCorners c = qiv::headCorners(px, py, heading, shape);
    corners[0].x = c.topLeft.x;
    corners[0].y = c.topLeft.y;
    corners[1].x = c.topRight.x;
    corners[1].y = c.topRight.y;
    corners[2].x = c.bottomLeft.x;
    corners[2].y = c.bottomLeft.y;
    const qiv::HeadMapping map(c, imageWidth, imageHeight);
    if (!map.valid()) return;
    const int left = map.left(), top = map.top();
    const int w = std::min(map.right() - left, workSide), h = std::min(map.bottom() - top, workSide);
    if (w <= 0 || h <= 0) return;

    BitBlt(dcWork, 0, 0, w, h, _pen.hdc, left, top, SRCCOPY);
    GdiFlush();
    const bool masked = !imageMask.empty();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sx, sy;
            if (!map.source(left + x, top + y, &sx, &sy)) continue;
            const int at = sy * imageWidth + sx;
            if (!masked || imageMask[at]) workBits[y * workSide + x] = imagePixels[at];
        }
    BitBlt(_pen.hdc, left, top, w, h, dcWork, 0, 0, SRCCOPY);
}

void TpenHead::changHbitmap(HBITMAP image, HBITMAP mask) {
    BITMAP info;
    if (image == NULL || GetObjectA(image, sizeof info, &info) == 0) return;  // never a null image
    const HBITMAP oldImage = hImage, oldMask = hMask;
    custom = true;
    if (pen.headShow) restoreScreen();
    hImage = image;
    hMask = mask;
    setGeometry(info.bmWidth, info.bmHeight);
    newSaveSquare();
    saveScreen();
    selectImage();
    releaseOwned(oldImage, oldMask);
}

void TpenHead::chang(string imageFile, string maskFile) {
    HBITMAP mask = NULL;
    if (!maskFile.empty()) loadFromFile(maskFile, mask);
    HBITMAP image = NULL;
    if (!loadFromFile(imageFile, image)) {
        if (mask != NULL) DeleteObject(mask);
        return;  // the head keeps its image and mask
    }
    changHbitmap(image, mask);
    ownsImages = true;
}

void TpenHead::changResource(const string& image, const string& mask) {
    const HBITMAP hImageRc = static_cast<HBITMAP>(LoadImageA(programModule(), image.c_str(), IMAGE_BITMAP, 0, 0, 0));
    if (hImageRc == NULL) return;
    const HBITMAP hMaskRc =
        mask.empty() ? NULL : static_cast<HBITMAP>(LoadImageA(programModule(), mask.c_str(), IMAGE_BITMAP, 0, 0, 0));
    changHbitmap(hImageRc, hMaskRc);
    ownsImages = true;
}

bool TpenHead::loadFromFile(string name, HBITMAP& out) {
    const string path = getCurPath() + "\\" + name;
    out = static_cast<HBITMAP>(LoadImageA(NULL, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (out != NULL) return true;
    // The box waits for the user; a stop meanwhile may end the worker right here.
    TblockedScope blocked;
    MessageBoxA(NULL, "调笔头图形文件失败！", "出错", MB_ICONWARNING);
    return false;
}

// --- the pen's head operations ---------------------------------------------------------------
Tpen2& Tpen2::show() {
    _runtimeCheckpoint();
    // A head already shown is erased first, so the background saved below is the canvas
    // itself and a later erase does not paint an old head back.
    if (headShow) _head.restoreScreen();
    headShow = true;
    _head.saveScreen();
    _head.show(xScn(x()), yScn(y()), getAngle());
    return *this;
}

Tpen2& Tpen2::hide() {
    _runtimeCheckpoint();
    if (headShow) _head.restoreScreen();
    headShow = false;
    return *this;
}

Tpen2& Tpen2::chang(string file, string mask) {
    _runtimeCheckpoint();
    _head.chang(file, mask);
    return *this;
}

// A resource the program does not contain is ignored: the head stays as it was. A missing
// mask resource leaves the replacement without a mask, as a failed mask file does. The
// images are the head's own copies, released when they are replaced (shared resource images
// are not always shared: each call would leave a bitmap behind).
Tpen2& Tpen2::changRc(string image, string mask) {
    _runtimeCheckpoint();
    _head.changResource(image, mask);
    return *this;
}
