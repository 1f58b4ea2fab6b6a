// logo.h - the drawing dialect of C++.
//
// Every program is compiled with this header forced in. It renames the program's main to
// work_zq, which the runtime (logoLib.a) calls on a worker thread, and turns cout, cin and
// endl into the output pane, the input line and a line feed of the program's window.
// The program draws with the pen `pen` (alias `p`) in logical coordinates: origin at the
// canvas centre, y up, heading 0 up and 90 right.
//
// This file is read by the students' compiler without any character-set option: keep it
// plain ASCII.
#ifndef QIV_LOGO_H
#define QIV_LOGO_H

#include <windows.h>

// Every standard header that declares main, cout, cin or endl is read before the macros
// below exist, so a program's own #include of them changes nothing.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

using namespace std;

// ---------------------------------------------------------------------------------------
// Colours: numbers 0-15 name the palette; larger numbers are packed RGB, red in the low
// byte; negative numbers count by their absolute value.
// ---------------------------------------------------------------------------------------
const int _black = 0;
const int _red = 1;
const int _blue = 2;
const int _green = 3;
const int _cyan = 4;
const int _yellow = 5;
const int _brown = 6;
const int _penColor = 7;
const int _grey = 8;
const int _pink = 9;
const int _green4 = 10;
const int _blueViolet = 11;
const int _darkyran = 12;
const int _gold = 13;
const int _chocolate1 = 14;
const int _white = 15;

// ---------------------------------------------------------------------------------------
// Host services
// ---------------------------------------------------------------------------------------
void wait(double seconds);             // pause the program for the given seconds
string i2s_zq(long long n);            // decimal text of a whole number
bool near_zq(int a, int b);            // |a - b| <= 5
int xScn(double x);                    // canvas pixel x of logical x
int yScn(double y);                    // canvas pixel y of logical y
void help(string title, string about, string helpText);  // window title and box texts
void windows(int canvasShare, int outputShare, int force);  // canvas : output height
void openDilog(void (*open)(), void (*close)());  // open a parameter panel
void closeDilog();
string getCurName();                   // the program's file name without extension
string getCurPath();                   // the program's folder, without trailing backslash
void _setFont(HWND window, string face, int height);
void _emptyDilog();
void _clearOutput();
void move(double x, double y);         // pen.move(x, y)
// Ellipse and rectangle in the box from (left, top) to (left + width, top + height), canvas
// pixels, in colour (r, g, b); filled when filled is not 0. The pen is left as it was.
void _ellipse(int filled, int left, int top, int width, int height, int r, int g, int b);
void _rectangle(int filled, int left, int top, int width, int height, int r, int g, int b);
// Coordinate axes (mode 0) or a dotted grid every 50 (modes 1, 3) or 100 units (2, 4),
// labelled in modes 1 and 2, in a colour number; the pen is left as it was.
void showXY(int mode, int color);
// The drawing routine of showXY: a grid every `step` units when step > 13, else the axes.
void _showXY(int step, int width, int colour, int style, int labels);
// Draws a loaded picture at the pen, w x h units large (-1: natural size), its centre or
// its top-left corner on the pen.
struct IPicture;
void _showPicture(IPicture* picture, double w, double h, bool centred);

// Client size of the main window and the height of the output pane below the canvas.
class Tlayout {
public:
    int width;
    int height;
    int outWinSize;
    Tlayout();
    void show4Win();   // place canvas and output pane
    int getLine1();    // y of the strip between them: height - outWinSize
};
extern Tlayout layout;

// ---------------------------------------------------------------------------------------
// The device pen: screen orientation (y down, heading clockwise from +x), canvas pixels
// are scale * units + origin.
// ---------------------------------------------------------------------------------------
class TPen {
public:
    double scale;
    double ox;
    double oy;
    double x;
    double y;
    double angle;
    int size;
    int r;
    int g;
    int b;
    int style;
    PAINTSTRUCT ps;
    HDC hdc;
    HWND hwnd;

    TPen();
    void init(HWND hwnd);   // begin painting the canvas; position and heading reset
    void end();             // end that paint
    void creat();           // rebuild the device pen from size, colour and style
    void color(int r, int g, int b);
    void move(double x, double y);
    void line(double x, double y);
    void fd(double len);
    void rt(double deg);
};

// ---------------------------------------------------------------------------------------
// Output pane (cout) and input line (cin)
// ---------------------------------------------------------------------------------------
class Twout {
    stringstream _sout;
    void _lock();
    void _unlock();

public:
    Twout();
    // Formats one value (or applies one manipulator) and appends the text to the pane.
    template <class T>
    Twout& operator<<(T _in) {
        _lock();
        _sout.str("");
        _sout.clear();
        _sout << _in;
        appendOut(_sout.str());
        _unlock();
        return *this;
    }
    void appendOut(string text);
    void _startRunFormat();  // fixed notation, two decimals: every run starts so
};

class Twin {
public:
    stringstream _sin;
    vector<string> strBack;
    int index;
    HWND hwndTwin;
    volatile bool inputON;  // the worker waits for a line from this box

    Twin(HWND box = 0);
    // Extracts one value from the current line. While the line is used up, or its text does
    // not fit the type, the box asks for a new line (a beep tells the user about the latter).
    template <class T>
    Twin& operator>>(T& _in) {
        _show(300);
        _sin >> _in;
        while (_needLine()) {
            getNext();
            _sin >> _in;
        }
        _hide(300);
        return *this;
    }
    void getline(string& line);  // a whole new line, followed by one blank
    void init();                 // empties the buffer and the box
    void _getLineInput();        // the box's text becomes the new line (window procedure)
    string _takeBoxText();       // the box's text, taken out into the history (window procedure)
    void getNext();              // waits for the next line

private:
    void _show(int left);
    void _hide(int left);
    bool _needLine();
};

void _posEdit();   // shows the canvas input box beside the pen, over a saved piece of picture
void _hideEdit();  // hides it and puts the picture back
void _setEdit(int dx, int dy, int w, int h);  // offset from the pen and size of the next box
void cinCaption(string caption);              // caption of the input line instead of the default

// ---------------------------------------------------------------------------------------
// Canvas text style
// ---------------------------------------------------------------------------------------
class Ttext {
public:
    LOGFONTA logfont;
    HFONT oldFont;
    HFONT curFont;
    COLORREF backColor;
    COLORREF foreColor;
    int backMode;

    Ttext();
    void init(HDC dc);
    void end(HDC dc);
};

void textSize(double height, double width);
void textColor(int colour);
void textColor(int r, int g, int b);
void textBkColor(int colour);
void textBkColor(int r, int g, int b);
void textFace(string face, int charset);
void textFace(int faceIndex, int charsetIndex);
void textAngle(double degrees);
void textSave(Ttext& record);
void textLoad(Ttext& record);

class Ttext2 {
public:
    Ttext2& size(int height, int width);
    Ttext2& color(int colour);
    Ttext2& color(int r, int g, int b);
    Ttext2& face(string face, int charset);
    Ttext2& face(int faceIndex, int charsetIndex);
    Ttext2& angle(double degrees);
    Ttext2& back(int colour);
    Ttext2& back(int r, int g, int b);
    Ttext2& c(int colour);
    Ttext2& c(int r, int g, int b);
};

// ---------------------------------------------------------------------------------------
// The pen: logical orientation (y up, compass heading); every operation returns the pen.
// ---------------------------------------------------------------------------------------
class Tpen2 {
    int savecount;
    stringstream _pout;
    double delayTime;
    friend DWORD WINAPI _callWork_zq(LPVOID);  // sets the number format at run start

public:
    bool headShow;

    Tpen2();
    Tpen2& tempOut(string s);      // s with its top-left corner at the pen's pixel
    Tpen2& tempOut_mid(string s);  // s centred on the pen's pixel, turned with the text style
    // Writes a value on the canvas at the pen, in the canvas text style: a number (or any
    // other value) starts at the pen; a manipulator only changes the format of later values.
    // The pen does not move; a shown head stays on top.
    template <class T>
    Tpen2& operator<<(T _in) {
        const bool shown = headShow;
        if (shown) hide();
        _pout.str("");
        _pout.clear();
        _pout << _in;
        tempOut(_pout.str());
        if (shown) show();
        return *this;
    }
    // A string is centred on the pen.
    Tpen2& operator<<(const char* s) {
        const bool shown = headShow;
        if (shown) hide();
        _pout.str("");
        _pout.clear();
        _pout << s << '\n';
        tempOut_mid(_pout.str());
        if (shown) show();
        return *this;
    }
    // The pen's state as one line: "x=100.00 y=-50.00 angle=90.00 color=(0,0,205) size=1
    // down scale=1.00" (position, heading, colour, width, drawing or not, scale).
    Tpen2& getLine(string& line);
    Tpen2& operator+(double len);
    Tpen2& operator-(double len);
    Tpen2& operator^(double deg);
    Tpen2& color(int n);
    Tpen2& color(int r, int g, int b);
    Tpen2& up();
    Tpen2& down();
    Tpen2& pic(string file, double w, double h, bool centred);  // a picture file of the program's folder
    Tpen2& pic(string file);
    Tpen2& cls(int n);
    Tpen2& cls(int r, int g, int b);
    Tpen2& move(double x, double y);
    Tpen2& line(double x, double y);
    Tpen2& save();
    Tpen2& load();
    Tpen2& angle(double a);
    Tpen2& speed(double s);
    Tpen2& show();
    Tpen2& hide();
    Tpen2& size(int w);
    Tpen2& scale(double s, bool multiply);
    Tpen2& ee(double w, double h, int r, int g, int b);
    Tpen2& ee(double w, double h, int n);
    Tpen2& e(double w, double h);
    Tpen2& o(double rad);
    Tpen2& oo(double rad, int n);
    Tpen2& oo(double rad, int r, int g, int b);
    Tpen2& rr(double w, double h, int n);
    Tpen2& rr(double w, double h, int r, int g, int b);
    Tpen2& r(double w, double h);
    Tpen2& o(double rad, int n);
    Tpen2& e(double w, double h, int n);
    Tpen2& r(double w, double h, int n);
    Tpen2& o(double rad, int r, int g, int b);
    Tpen2& e(double w, double h, int r, int g, int b);
    Tpen2& r(double w, double h, int r, int g, int b);
    Tpen2& oo(double rad);
    Tpen2& rr(double w, double h);
    Tpen2& ee(double w, double h);
    Tpen2& style(int i);
    Tpen2& chang(string file, string mask);
    Tpen2& changRc(string image, string mask);
    Tpen2& resetXY();
    Tpen2& setXY(double x, double y, double w, double h);
    HDC getHdc() const;
    HWND getHwnd() const;
    double getAngle() const;
    double x() const;
    double y() const;
    double getScale() const;
    double getOX() const;
    double getOY() const;
    double getX() const;
    double getY() const;
    Tpen2& fd(double len);
    Tpen2& bk(double len);
    Tpen2& rt(double ang);
    Tpen2& lt(double ang);
    Tpen2& c(int col);
    Tpen2& c(int r, int g, int b);
    Tpen2& wait(double seconds);
    Tpen2& showXY(int mode, int color);
    ~Tpen2();
};

// ---------------------------------------------------------------------------------------
// Objects of the program. They live in the program's own translation unit; the runtime
// library sees them through the extern declarations.
// ---------------------------------------------------------------------------------------
#ifdef QIV_RUNTIME_LIBRARY
extern HWND hwndMain, hwndDraw, hwndOutput, hwndInputCaption, hwndInput, hwndEdit;
extern HINSTANCE _hInstance;
extern Twin _win;
extern Twin _editin;
extern Tpen2 pen;
extern const Tpen2& p;
extern Twout _wout;
extern Ttext2 text;
#else
HWND hwndMain, hwndDraw, hwndOutput, hwndInputCaption, hwndInput, hwndEdit;
HINSTANCE _hInstance;
Twin _win;
Twin _editin;
Tpen2 pen;
const Tpen2& p = pen;
Twout _wout;
Ttext2 text;
#endif

// The program itself: its main becomes work_zq, run by the runtime on a worker thread.
int work_zq();

#define main work_zq
#define cout _wout
#define cin _win
#define endl '\n'

#endif
