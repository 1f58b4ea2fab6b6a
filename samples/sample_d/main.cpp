// 循环演示: a demonstration of loops. The panel "选择" in the canvas's corner picks one of
// four loop figures, the pen's speed and colour and the number of passes (the list in the
// blank of the for line); 运行 draws it, labelling every pass with "i=..." in a small box.
//
// Built like every program (F11); the tool headers are in the folder tools beside it.
// The file is saved in GBK, as the editor saves programs with Chinese texts.
#include "tools/qivplus.h"
#include "tools/dilog_d.h"

// The panel's choices; it opens with these and keeps the last ones started.
int _selectGraph = 1;  // 1 楼梯, 2 拱形, 3 针形, 4 旋转形
int _selectSpeed = 4;
int _selectColor = 7;
int _selectForN = 10;

void demo();
void demo1();
void demo2();
void demo3();
void demo4();

int main()
{
    help("循环演示", "", "");
    winPos(2, 0, 800, 600);
    windows(10, 1, 0);           // canvas : output pane = 10 : 1
    wait(0.1);
    pen.resetXY();
    pen.cls(0xFFD0D0);           // light blue around the drawing area
    pen.setXY(0, 50, 550, 350);  // a 550 x 350 viewport whose centre is the origin
    wait(0.1);
    pen.cls(15);
    pen.showXY(0, 1).show();     // axes, and the pencil at the pen
    for (;;) {
        openDilog(_openDilog, _closeDilog);
        if (_dilog::_closeCode == 11) demo();
    }
}

void demo()
{
    pen.speed(_selectSpeed).c(_selectColor);
    pen.hide();
    pen.cls(15);
    pen.show();
    if (_selectGraph == 1) demo1();
    if (_selectGraph == 2) demo2();
    if (_selectGraph == 3) demo3();
    if (_selectGraph == 4) demo4();
}

// The label of pass i, in the same box every time.
void label(int i)
{
    _boxText(0, 130, "i=" + i2s_zq(i), 45, 35, 1);
}

void demo1()  // 楼梯: stairs
{
    pen.move(-200, -150);
    for (int i = 0; i < _selectForN; i++) {
        label(i);
        pen.fd(15).rt(90).fd(15).lt(90);
    }
}

void demo2()  // 拱形: arches
{
    pen.move(-200, 0);
    for (int i = 0; i < _selectForN; i++) {
        label(i);
        pen.fd(15).rt(90).fd(15).rt(90);
        pen.fd(15).lt(90).fd(15).lt(90);
    }
}

void demo3()  // 针形: spokes around the origin
{
    pen.move(0, 0);
    for (int i = 0; i < _selectForN; i++) {
        label(i);
        pen.fd(80).bk(80).rt(30);
    }
}

void demo4()  // 旋转形: a turning triangle
{
    for (int i = 0; i < _selectForN; i++) {
        label(i);
        pen.fd(50).rt(120).fd(50).rt(120).fd(50).rt(120);
        pen.rt(40);
    }
}
