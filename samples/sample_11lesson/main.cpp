// 正多边形的角度（第7课演示）：课本第7课，接在 lessons 里的第1~6课后面。
// 课本的图上是一个循环：pen.fd( 50 ) 和 pen.rt( … )；图上红色数字那里的两个列表选择
// 循环几次、每次转几度。点“运行”就画出这一对数画出的图形：次数 x 角度 = 360 时，
// 画出来的是一个封闭的正多边形。这个程序一直等面板上的按钮，运行不会结束。
//
// 课本的图是程序资源 B11_BMP（sample_11lesson.rc 和 B11.bmp）；程序里没有这个资源时
// （在这个文件夹里按 F11 编译），就读程序旁边的 B11.bmp 文件，一样能看到。
// 要把图编进程序里：在这个文件夹里先用 windres 把 sample_11lesson.rc 编成
// sample_11lesson.res，再把它和 Qiv_private.res 一起链接。
// 文件用 GBK 编码保存，和编辑器保存中文程序一样。
#include "tools/qivplus.h"
#include "tools/dilog_11lesson.h"

int _selectGraph = 1;  // 这个面板不用它
int _selectSpeed = 4;
int _selectColor = 7;
int _selectAngle = 1;  // 角度列表选中的第几项
int _selectForN = 1;   // 次数列表选中的第几项

int sel0[9] = {3, 4, 5, 6, 8, 9, 10, 12, 18};          // 次数列表每一项的次数
int sel1[9] = {120, 90, 20, 60, 36, 72, 45, 30, 40};   // 角度列表每一项的度数

void demo();
void demo2();

int main()
{
    help("正多边形的角度(第7课演示)", "", "\n设计：Qiv 课程组\n\n     程序：Qiv 开发组");
    winPos(2, 0, 800, 600);
    windows(10, 1, 0);
    wait(0.1);
    pen.resetXY();
    pen.cls(15);
    pen.setXY(50, 50, 550, 400);
    wait(0.1);
    pen.cls(15);
    pen.showXY(0, 1);
    for (;;) {
        pen.resetXY();
        pen.setXY(0, 0, 780, 560);  // 图和列表每次都在同一个地方
        openDilog(_openDilog, _closeDilog);
        if (_dilog::_closeCode == 11) demo();
    }
}

void demo()
{
    pen.speed(_selectSpeed).c(_selectColor);
    pen.cls(15);
    pen.show();
    demo2();
    pen.hide();
}

void demo2()
{
    pen.move(100, 0);
    // 列表没有选中（-1）时什么也不画。
    if (_selectForN < 0 || _selectForN > 8 || _selectAngle < 0 || _selectAngle > 8) return;
    for (int i = 0; i < sel0[_selectForN]; i++) {
        pen.fd(50);
        pen.rt(sel1[_selectAngle]);
    }
}
