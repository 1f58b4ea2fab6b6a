// 循环演示：画布左上角的面板“选择”里挑四种循环图形中的一种，再挑画笔的速度、颜色
// 和循环的次数（for 那一行空白处的列表）；点“运行”就画出来，每一圈都用小框标上“i=…”。
// 这个程序一直等面板上的按钮，运行不会结束。
//
// 和别的程序一样按 F11 编译运行；用到的工具头文件在旁边的 tools 文件夹里。
// 文件用 GBK 编码保存，和编辑器保存中文程序一样。
#include "tools/qivplus.h"
#include "tools/dilog_d.h"

// 面板的选择：打开时是这些值，以后记住上一次运行时选的。
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
    windows(10, 1, 0);           // 画布和输出窗口的高度是 10 : 1
    wait(0.1);
    pen.resetXY();
    pen.cls(0xFFD0D0);           // 画图区外面涂成浅蓝
    pen.setXY(0, 50, 550, 350);  // 550 x 350 的画图区，原点在它的中心
    wait(0.1);
    pen.cls(15);
    pen.showXY(0, 1).show();     // 坐标轴，显示画笔
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

// 第 i 圈的标签，每次都写在同一个小框里。
void label(int i)
{
    _boxText(0, 130, "i=" + i2s_zq(i), 45, 35, 1);
}

void demo1()  // 楼梯
{
    pen.move(-200, -150);
    for (int i = 0; i < _selectForN; i++) {
        label(i);
        pen.fd(15).rt(90).fd(15).lt(90);
    }
}

void demo2()  // 拱形
{
    pen.move(-200, 0);
    for (int i = 0; i < _selectForN; i++) {
        label(i);
        pen.fd(15).rt(90).fd(15).rt(90);
        pen.fd(15).lt(90).fd(15).lt(90);
    }
}

void demo3()  // 针形：绕着原点的一根根针
{
    pen.move(0, 0);
    for (int i = 0; i < _selectForN; i++) {
        label(i);
        pen.fd(80).bk(80).rt(30);
    }
}

void demo4()  // 旋转形：一个转着的三角形
{
    for (int i = 0; i < _selectForN; i++) {
        label(i);
        pen.fd(50).rt(120).fd(50).rt(120).fd(50).rt(120);
        pen.rt(40);
    }
}
