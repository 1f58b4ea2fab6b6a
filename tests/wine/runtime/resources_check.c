/* Checks the resources that Qiv_private.res puts into a program: this program is linked
 * with it and reads its own resources back the way the runtime does (LoadImageA with
 * shared images) and the way Windows Explorer does (the version block).
 * Prints one line per failed check with what was expected and what was found; the exit
 * code is the number of failures. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

static int failures;
static int checks;

#define CHECK(cond, ...)                                                            \
    do {                                                                            \
        ++checks;                                                                   \
        if (!(cond)) {                                                              \
            ++failures;                                                             \
            printf("%s:%d: ", __FILE__, __LINE__);                                  \
            printf(__VA_ARGS__);                                                    \
            printf("\n");                                                           \
            fflush(stdout);                                                         \
        }                                                                           \
    } while (0)

/* The raw header of a bitmap resource (a BMP file without its file header). */
static const BITMAPINFOHEADER *bitmap_header(const char *name)
{
    HRSRC res = FindResourceA(NULL, name, (LPCSTR)RT_BITMAP);
    HGLOBAL mem = res ? LoadResource(NULL, res) : NULL;
    return mem ? (const BITMAPINFOHEADER *)LockResource(mem) : NULL;
}

/* Pixel (x, y), y counted from the top, of a bottom-up 24-bit bitmap resource. */
static COLORREF bitmap_pixel(const BITMAPINFOHEADER *h, int x, int y)
{
    const BYTE *bits = (const BYTE *)h + h->biSize;
    int stride = (h->biWidth * 3 + 3) & ~3;
    const BYTE *p = bits + (size_t)(h->biHeight - 1 - y) * stride + x * 3;
    return RGB(p[2], p[1], p[0]);
}

/* Pixels of the bitmap whose colour channel `channel` (0 red, 1 green, 2 blue) is
 * clearly the strongest: how much of the face is drawn in that colour. */
static int dominant_pixels(const BITMAPINFOHEADER *h, int channel)
{
    int count = 0;
    for (int y = 0; y < h->biHeight; ++y)
        for (int x = 0; x < h->biWidth; ++x) {
            COLORREF c = bitmap_pixel(h, x, y);
            int v[3] = { GetRValue(c), GetGValue(c), GetBValue(c) };
            int a = v[(channel + 1) % 3], b = v[(channel + 2) % 3];
            if (v[channel] > a + 60 && v[channel] > b + 60)
                ++count;
        }
    return count;
}

static void check_button(const char *name, int size, int channel, int min_pixels)
{
    HBITMAP bmp = (HBITMAP)LoadImageA(GetModuleHandleA(NULL), name, IMAGE_BITMAP, 0, 0,
                                      LR_SHARED);
    CHECK(bmp != NULL, "LoadImageA(\"%s\") failed, error %lu", name, GetLastError());
    if (bmp) {
        BITMAP info;
        CHECK(GetObjectA(bmp, sizeof info, &info) == sizeof info, "GetObject(%s)", name);
        CHECK(info.bmWidth == size && info.bmHeight == size,
              "%s: expected %dx%d, got %ldx%ld", name, size, size, info.bmWidth,
              info.bmHeight);
    }

    const BITMAPINFOHEADER *h = bitmap_header(name);
    CHECK(h != NULL, "%s: no bitmap resource", name);
    if (!h)
        return;
    CHECK(h->biBitCount == 24, "%s: expected 24 bits per pixel, got %u", name,
          h->biBitCount);
    CHECK(h->biCompression == BI_RGB, "%s: expected uncompressed, got %lu", name,
          h->biCompression);
    CHECK(h->biWidth == size && h->biHeight == size, "%s: stored as %ldx%ld", name,
          h->biWidth, h->biHeight);
    if (h->biBitCount != 24 || h->biWidth != size || h->biHeight != size)
        return;
    /* The corners show the menu bar's light grey; the face is drawn in its colour. */
    COLORREF corners[4] = { bitmap_pixel(h, 0, 0), bitmap_pixel(h, size - 1, 0),
                            bitmap_pixel(h, 0, size - 1),
                            bitmap_pixel(h, size - 1, size - 1) };
    for (int i = 0; i < 4; ++i)
        CHECK(corners[i] == RGB(240, 240, 240), "%s: corner %d is %06lx, expected f0f0f0",
              name, i, (unsigned long)corners[i]);
    int drawn = dominant_pixels(h, channel);
    CHECK(drawn >= min_pixels, "%s: %d pixels in the face colour, expected at least %d",
          name, drawn, min_pixels);
}

/* Set columns of the pen-head mask, first and last, for rows 0-23; rows 24-41 are clear. */
static const int head_mask_rows[24][2] = {
    { 5, 6 }, { 5, 6 }, { 4, 7 }, { 4, 7 }, { 3, 8 }, { 3, 8 }, { 2, 9 }, { 2, 9 },
    { 2, 9 }, { 2, 9 }, { 2, 9 }, { 1, 9 }, { 1, 9 }, { 1, 9 }, { 0, 10 }, { 0, 11 },
    { 0, 11 }, { 0, 11 }, { 0, 11 }, { 0, 11 }, { 0, 11 }, { 0, 11 }, { 0, 11 }, { 0, 11 }
};

static int head_mask_set(int x, int y)
{
    return y < 24 && x >= head_mask_rows[y][0] && x <= head_mask_rows[y][1];
}

/* Bit (x, y), y from the top, of a bottom-up 1-bit bitmap resource. */
static int mono_pixel(const BITMAPINFOHEADER *h, int x, int y)
{
    const BYTE *bits = (const BYTE *)h + h->biSize + 2 * sizeof(RGBQUAD);
    int stride = ((h->biWidth + 31) / 32) * 4;
    const BYTE *row = bits + (size_t)(h->biHeight - 1 - y) * stride;
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

static void check_head_mask(void)
{
    /* The pen asks for its bitmaps in mixed case; resource names match without case. */
    HBITMAP bmp = (HBITMAP)LoadImageA(GetModuleHandleA(NULL), "maskHead_bmp", IMAGE_BITMAP,
                                      0, 0, LR_SHARED);
    CHECK(bmp != NULL, "LoadImageA(\"maskHead_bmp\") failed, error %lu", GetLastError());
    if (bmp) {
        BITMAP info;
        GetObjectA(bmp, sizeof info, &info);
        CHECK(info.bmWidth == 12 && info.bmHeight == 42 && info.bmBitsPixel == 1,
              "maskHead_bmp loads as %ldx%ld, %u bits; expected a 12x42 monochrome bitmap",
              info.bmWidth, info.bmHeight, info.bmBitsPixel);
    }
    const BITMAPINFOHEADER *h = bitmap_header("MASKHEAD_BMP");
    CHECK(h != NULL, "MASKHEAD_BMP: no bitmap resource");
    if (!h)
        return;
    CHECK(h->biBitCount == 1 && h->biWidth == 12 && h->biHeight == 42,
          "MASKHEAD_BMP stored as %ldx%ld, %u bits", h->biWidth, h->biHeight, h->biBitCount);
    if (h->biBitCount != 1 || h->biWidth != 12 || h->biHeight != 42)
        return;
    const RGBQUAD *palette = (const RGBQUAD *)((const BYTE *)h + h->biSize);
    CHECK(palette[0].rgbRed == 0 && palette[0].rgbGreen == 0 && palette[0].rgbBlue == 0 &&
              palette[1].rgbRed == 255 && palette[1].rgbGreen == 255 && palette[1].rgbBlue == 255,
          "MASKHEAD_BMP palette is not black, white");
    int wrong_rows = 0;
    for (int y = 0; y < 42; ++y) {
        int wrong = 0;
        for (int x = 0; x < 12; ++x)
            wrong += mono_pixel(h, x, y) != head_mask_set(x, y);
        if (wrong) {
            ++wrong_rows;
            printf("  mask row %d: %d column(s) differ from the outline table\n", y, wrong);
        }
    }
    CHECK(wrong_rows == 0, "MASKHEAD_BMP: %d row(s) differ from the outline table", wrong_rows);
}

/* One coloured pencil: 24 bits, 12 wide, its height; white below the top 24 rows.
 * channel >= 0 names the colour channel (0 red, 1 green, 2 blue) that must clearly lead in
 * the body, so that no pencil sits under another colour's name. */
static void check_head(const char *name, int height, int channel)
{
    char resource[32];
    snprintf(resource, sizeof resource, "%sHead_bmp", name);
    HBITMAP bmp = (HBITMAP)LoadImageA(GetModuleHandleA(NULL), resource, IMAGE_BITMAP, 0, 0,
                                      LR_SHARED);
    CHECK(bmp != NULL, "LoadImageA(\"%s\") failed, error %lu", resource, GetLastError());
    const BITMAPINFOHEADER *h = bitmap_header(resource);
    CHECK(h != NULL, "%s: no bitmap resource", resource);
    if (!h)
        return;
    CHECK(h->biBitCount == 24 && h->biCompression == BI_RGB && h->biWidth == 12 &&
              h->biHeight == height,
          "%s: stored as %ldx%ld, %u bits, compression %lu; expected 12x%d, 24 bits",
          resource, h->biWidth, h->biHeight, h->biBitCount, h->biCompression, height);
    if (h->biBitCount != 24 || h->biWidth != 12 || h->biHeight != height)
        return;
    int coloured_below = 0;
    for (int y = 24; y < height; ++y)
        for (int x = 0; x < 12; ++x)
            coloured_below += bitmap_pixel(h, x, y) != RGB(255, 255, 255);
    CHECK(coloured_below == 0, "%s: %d non-white pixels below row 24", resource,
          coloured_below);
    if (channel >= 0) {
        COLORREF c = bitmap_pixel(h, 6, 20);
        int v[3] = { GetRValue(c), GetGValue(c), GetBValue(c) };
        CHECK(v[channel] > v[(channel + 1) % 3] + 60 && v[channel] > v[(channel + 2) % 3] + 60,
              "%s: body colour %06lx is not led by channel %d", resource, (unsigned long)c,
              channel);
    }
}

static void check_heads(void)
{
    static const char *const names[11] = { "black", "red", "blue", "green", "cyan", "yellow",
                                           "brown", "white", "pink", "violet", "gold" };
    static const int channels[11] = { -1, 0, 2, 1, -1, -1, -1, -1, -1, -1, -1 };
    for (int i = 0; i < 11; ++i)
        check_head(names[i], i == 10 ? 41 : 42, channels[i]);
    check_head_mask();
}

static void check_icon(void)
{
    HRSRC res = FindResourceA(NULL, "QIV_ICO", (LPCSTR)RT_GROUP_ICON);
    CHECK(res != NULL, "no icon group Qiv_ico, error %lu", GetLastError());
    if (res) {
        const BYTE *dir = (const BYTE *)LockResource(LoadResource(NULL, res));
        WORD count = *(const WORD *)(dir + 4);
        CHECK(count == 1, "icon group: expected 1 image, got %u", count);
        /* GRPICONDIRENTRY: width, height, colours, reserved, planes, bit count, ... */
        const BYTE *entry = dir + 6;
        CHECK(entry[0] == 48 && entry[1] == 48, "icon image: expected 48x48, got %ux%u",
              entry[0], entry[1]);
        WORD bits = *(const WORD *)(entry + 6);
        CHECK(bits == 32, "icon image: expected 32 bits per pixel, got %u", bits);
    }

    HICON icon = (HICON)LoadImageA(GetModuleHandleA(NULL), "Qiv_ico", IMAGE_ICON, 0, 0,
                                   LR_SHARED | LR_DEFAULTSIZE);
    CHECK(icon != NULL, "LoadImageA(\"Qiv_ico\", IMAGE_ICON) failed, error %lu",
          GetLastError());
    HICON big = (HICON)LoadImageA(GetModuleHandleA(NULL), "qiv_ico", IMAGE_ICON, 48, 48, 0);
    CHECK(big != NULL, "LoadImageA(\"qiv_ico\", 48x48) failed, error %lu", GetLastError());
    if (!big)
        return;
    ICONINFO info;
    CHECK(GetIconInfo(big, &info), "GetIconInfo failed");
    BITMAP colour = { 0 };
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    CHECK(colour.bmWidth == 48 && colour.bmHeight == 48, "icon colour image %ldx%ld",
          colour.bmWidth, colour.bmHeight);

    /* Read the pixels back with their alpha: the corners are transparent, the middle
     * (the drawing board) is opaque. */
    BITMAPINFO bi = { 0 };
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 48;
    bi.bmiHeader.biHeight = -48;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    static DWORD px[48 * 48];
    HDC dc = GetDC(NULL);
    int rows = GetDIBits(dc, info.hbmColor, 0, 48, px, &bi, DIB_RGB_COLORS);
    ReleaseDC(NULL, dc);
    CHECK(rows == 48, "GetDIBits of the icon gave %d rows", rows);
    CHECK((px[0] >> 24) == 0, "icon top-left alpha %lu, expected 0",
          (unsigned long)(px[0] >> 24));
    CHECK((px[24 * 48 + 10] >> 24) == 255, "icon alpha at (10, 24) is %lu, expected 255",
          (unsigned long)(px[24 * 48 + 10] >> 24));
    int partly = 0;
    for (int i = 0; i < 48 * 48; ++i) {
        unsigned a = px[i] >> 24;
        partly += a > 0 && a < 255;
    }
    CHECK(partly > 20, "icon: only %d half-transparent pixels; smooth edges need alpha",
          partly);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(big);
}

/* One string of the version block's U.S. English, Unicode table. */
static void check_version_string(const void *block, const char *key, const char *expected)
{
    char path[128];
    char *value = NULL;
    UINT len = 0;
    snprintf(path, sizeof path, "\\StringFileInfo\\040904B0\\%s", key);
    BOOL found = VerQueryValueA(block, path, (void **)&value, &len);
    CHECK(found && value && strcmp(value, expected) == 0, "%s: expected \"%s\", got \"%s\"",
          key, expected, found && value ? value : "(none)");
}

static void check_version(void)
{
    char file[MAX_PATH];
    GetModuleFileNameA(NULL, file, sizeof file);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(file, &handle);
    CHECK(size > 0, "GetFileVersionInfoSize failed, error %lu", GetLastError());
    if (!size)
        return;
    void *block = HeapAlloc(GetProcessHeap(), 0, size);
    CHECK(GetFileVersionInfoA(file, 0, size, block), "GetFileVersionInfo failed");

    VS_FIXEDFILEINFO *fixed = NULL;
    UINT len = 0;
    CHECK(VerQueryValueA(block, "\\", (void **)&fixed, &len) && fixed, "no fixed info");
    if (fixed) {
        CHECK(fixed->dwSignature == 0xFEEF04BD, "fixed info signature %08lx",
              fixed->dwSignature);
        CHECK(fixed->dwFileVersionMS == 0x00000009 && fixed->dwFileVersionLS == 0x00080008,
              "file version %08lx %08lx, expected 00000009 00080008",
              fixed->dwFileVersionMS, fixed->dwFileVersionLS);
        CHECK(fixed->dwProductVersionMS == 0x00000009 &&
                  fixed->dwProductVersionLS == 0x00080008,
              "product version %08lx %08lx, expected 00000009 00080008",
              fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    }
    WORD *translation = NULL;
    CHECK(VerQueryValueA(block, "\\VarFileInfo\\Translation", (void **)&translation, &len)
              && len >= 4 && translation[0] == 0x0409 && translation[1] == 1200,
          "translation: expected 0409 1200, got %04x %u (length %u)",
          translation ? translation[0] : 0, translation ? translation[1] : 0, len);
    check_version_string(block, "FileDescription", "Developed using the Qiv");
    check_version_string(block, "FileVersion", "0.9.8.8");
    check_version_string(block, "ProductVersion", "0.9.8.8");
    check_version_string(block, "ProductName", "Qiv");
    HeapFree(GetProcessHeap(), 0, block);
}

int main(void)
{
    /* name, size, dominant colour channel, least number of pixels in it */
    check_button("run_bmp", 20, 1, 60);
    check_button("stop_bmp", 16, 0, 100);
    check_button("pause_bmp", 20, 2, 70);
    check_button("continue_bmp", 20, 1, 45);
    check_button("CONTINUE_BMP", 20, 2, 35); /* the bar before the arrow */
    check_heads();
    check_icon();
    check_version();
    printf("resources_check: %d checks, %d failures\n", checks, failures);
    fflush(stdout);
    return failures;
}
