// Declarations shared by the runtime library's own files: the globals of the host, the run
// control and the pen, and the functions the window procedures and the worker call.
#ifndef QIV_RUNTIME_INTERNAL_H
#define QIV_RUNTIME_INTERNAL_H

#define QIV_RUNTIME_LIBRARY
#include "logo.h"
#undef main
#undef cout
#undef cin
#undef endl

// --- run control (run_control.cpp) ----------------------------------------------------
extern volatile bool _runing;     // a run is active
extern volatile bool _pauseOn;    // the active run is paused
extern volatile int _firstRun;    // a run is requested; the canvas's next paint starts it
extern volatile int _mouseWhell;  // a wheel zoom was applied and its run has not ended
extern HANDLE work_hand;          // worker of the current or last run
extern LPSTR _lpCmdLine;

void threadWork();
// The last run's worker may still be finishing its own stop sequence (it marks the run ended
// before it writes the end banner). A new run waits for it, so a request made in that moment
// is neither lost nor mixed with the old run's last steps.
void _awaitLastWorker();
DWORD WINAPI _callWork_zq(LPVOID);
void _stopRun();
// True from the moment a stop sequence begins until the next run starts its worker.
bool _stopInProgress();
void pause();
void pauseOff();

// Ends the calling worker at once when the user has stopped its run. Called at the entry
// of every runtime service a program can call, where the worker holds nothing.
void _runtimeCheckpoint();
// Blocks the calling worker until `released` is set, as blocked inside the runtime (pause
// may suspend it there); a stop of the run ends the worker here.
void _blockUntil(HANDLE released);
// Marks the worker as blocked inside the runtime (sleeping, waiting for input) while a
// scope lasts: such a worker holds no lock and may be halted where it is.
struct TblockedScope {
    TblockedScope();
    ~TblockedScope();

private:
    bool onWorker;  // only the worker's blocking counts
};

// --- main window (main_window.cpp, canvas_window.cpp) ---------------------------------
extern int _firstWindows;
extern int _winLeft, _winTop, _winWidth, _winHight, _outWinSize;
extern HMENU hMenubar, hMenu_TOOLS, hMenu_HELP;
extern HBITMAP _hbitmapRun, _hbitmapStop, _hbitmapPause, _hbitmapContinue;
extern const char _runchar[], _stopchar[], _pausechar[], _continuechar[];
extern string _aboutMessage, _helpMessage;
extern void (*openDilogFun)();
extern void (*closeDilogFun)();
extern WNDCLASSA myWinClass;

void creat3Win(HWND main);
// Starts the requested run: the run's device context (erasing the canvas), the input and
// text state, then the worker. The canvas's paint calls it, and capture mode at its start.
void _startRun();
void AddMenus(HWND main);
LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK WndDrawProc(HWND, UINT, WPARAM, LPARAM);
void checkShowXY();
bool _axesChecked();
void helpAbout();
void helpText();
void _str2wchar(const char* gbk, wchar_t* out, int outSize);
void _requestRun();

// Menu-bar positions 3 and 4: the run-control buttons.
void _showRunButton();
void _showStopButton();
void _showPauseButton();
void _showContinueButton();
void _clearPauseButton();

// Commands of the main window.
enum {
    CMD_RUN_STOP = 1,
    CMD_AXES = 2,
    CMD_SAVE_PICTURE = 4,
    CMD_PAUSE = 9,
    CMD_QUIT = 23,
    CMD_HELP = 24,
    CMD_OPEN_DIALOG = 26,
    CMD_ABOUT = 29
};
enum { HOTKEY_RUN = 114, HOTKEY_QUIT = 116 };
enum { ID_DRAW = 101, ID_EDIT = 102, ID_INPUT = 103, ID_OUTPUT = 104, ID_INPUT_CAPTION = 203 };

// --- pen (pen_device.cpp, pen.cpp) ----------------------------------------------------
extern TPen _pen;
extern TPen _savePen[10];
extern int _penSize;
extern double _d2e;

// --- pen head sprite (pen_head.cpp) ---------------------------------------------------
// The pencil drawn at the pen's pixel, turned to its heading. Before it is drawn the S x S
// square of canvas under it is copied aside; erasing copies the square back. Drawing and
// saving need the run's canvas device context: before the first run they do nothing.
class TpenHead {
public:
    HBITMAP hImage;            // current head image
    HBITMAP hMask;             // set bits are drawn; NULL draws the whole rectangle
    HBITMAP hSave;             // the canvas square under the head
    HDC dcImage;               // memory DC holding hImage
    HDC dcSave;                // memory DC holding hSave
    int imageWidth, imageHeight;  // part of the image drawn, from its top-left corner
    double radius;             // half the diagonal of that part
    double cornerAngle;        // angle of the diagonal against the width side, radians
    POINT corners[3];          // where the image's top-left, top-right, bottom-left land
    int saveX, saveY;          // canvas position of the saved square
    HBITMAP heads[17];         // built-in images by head colour 0-15; 16 is the mask
    bool custom;               // a replacement image (chang, changRc) is in use

    TpenHead();
    ~TpenHead();
    void init();                                     // built-in images, blue head
    void color(int i);                               // built-in image i mod 16
    void show(int px, int py, double heading);       // draw centred on (px, py)
    void saveScreen();                               // copy the canvas under the pen aside
    void restoreScreen();                            // copy it back: erases the head
    void changHbitmap(HBITMAP image, HBITMAP mask);  // use a replacement image
    void chang(string imageFile, string maskFile);   // replacement from bitmap files
    // Replacement from bitmap resources of the program, loaded as copies of its own that are
    // released once replaced (a missing image changes nothing; a missing mask: no mask).
    void changResource(const string& image, const string& mask);
    bool loadFromFile(string name, HBITMAP& out);    // one file of the program's folder

private:
    int side;                  // side of the saved square: trunc(2 * (radius + 1))
    HGDIOBJ imageDefault;      // the bitmaps the memory DCs were created with
    HGDIOBJ saveDefault;
    bool ownsImages;           // hImage and hMask were loaded from files by chang
    // The turned image is composed over the canvas in a square of its own and copied back
    // in one piece (see show).
    HDC dcWork;
    HBITMAP hWork;             // 32-bit top-down DIB section, workSide x workSide
    HGDIOBJ workDefault;
    DWORD* workBits;
    int workSide;
    std::vector<DWORD> imagePixels;       // the drawn part of hImage, 0x00RRGGBB, rows top first
    std::vector<unsigned char> imageMask;  // 1 where hMask lets the image through
    void setGeometry(int width, int height);
    void newSaveSquare();
    void selectImage();
    void captureImage();
    void releaseOwned(HBITMAP oldImage, HBITMAP oldMask);
};
extern TpenHead _head;

// --- console (console_output.cpp, console_input.cpp, text_style.cpp) -------------------
extern Ttext _text;
extern Ttext _text0;
extern HDC editDC;
extern HBITMAP saveEditHbm;
extern int editX, editY, _editDx, _editDy, _editW, _editH;
extern WNDPROC OldInputProc, OldEditProc;
LRESULT CALLBACK NewInputProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK NewEditProc(HWND, UINT, WPARAM, LPARAM);
void _resetOutputLock();  // after a worker was ended by force
// The output queue (console_output.cpp): shows what is queued in the pane now, from either
// thread; from the worker without a scope of its own (TblockedScope calls it); on the UI
// thread's 30 ms timer; the pane's own procedure and the crash handler, set once; true while
// a thread is inside the queue (no place to suspend the worker).
void _flushOutput();
void _showQueuedFromWorker();
void _showOutputOnTimer();
void _attachOutputPane();
bool _outputQueueBusy();
// The pane's whole text as it holds it, everything queued shown first (on the UI thread;
// elsewhere what was shown so far).
string _outputPaneText();
// Takes the input boxes of a stopped run away: no object waits for a line any more.
void _endInputWait();
// Forgets lines entered for the last run that it never read (UI thread, at a run's start).
void _clearPendingInput();

// --- settings and picture (window_settings.cpp, save_picture.cpp) ----------------------
void _initAug();
void _saveAug();
void _toolsSavePic();
bool SaveWinBmp(HWND window, string fileName);        // the window's client area as a BMP file
bool SaveCapturedBitmap(HBITMAP bitmap, string fileName);  // at the display's depth
bool _saveBitmapAtDepth(HBITMAP bitmap, const string& fileName, int depth);  // 1, 4, 8 or 24

// --- capture mode (capture_mode.cpp) --------------------------------------------------
// A class-checking tool runs the program with QIV_CAPTURE_DIR set: hidden window, canvas in
// memory, input from a file, boxes answered, a time limit, the result written as files.
bool _captureMode();
// The run's device context in capture mode: a memory bitmap of the canvas's client size,
// erased as the canvas's paint would erase it (made once, kept for the process).
HDC _captureCanvas(HWND canvas);
// UI thread, once the window tree exists: starts the run and its watch.
void _captureStart();
// Worker: the input file's next line for a read (false and an empty line once used up).
bool _captureNextLine(string& line);
bool _captureInputUsedUp();
// The program closed the window: the files of an ended run; the process ends.
void _captureWindowClosed();
// From the crash filter: the files of a crash; the process ends with code 3.
void _captureCrashed();

#endif
