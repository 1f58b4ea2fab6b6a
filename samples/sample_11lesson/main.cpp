// 正多边形的角度(第7课演示): the angles of regular polygons. The lesson picture shows a
// loop of pen.fd( 50 ) and pen.rt( ... ); the two lists over its red numbers choose how
// many times the loop runs and by how much the pen turns. 运行 draws what that pair makes:
// a closed regular polygon when passes x angle is 360.
//
// The picture is the resource B11_BMP (sample_11lesson.rc, B11.bmp) where the program links
// it beside the runtime's resources, and otherwise the file B11.bmp in the program's folder:
// built with the build key (F11) in this folder, the program shows it too.
// The file is saved in GBK, as the editor saves programs with Chinese texts.
#include "tools/qivplus.h"
#include "tools/dilog_11lesson.h"

int _selectGraph = 1;  // not used by this panel
int _selectSpeed = 4;
int _selectColor = 7;
int _selectAngle = 1;  // entry of the angle list
int _selectForN = 1;   // entry of the count list

int sel0[9] = {3, 4, 5, 6, 8, 9, 10, 12, 18};          // passes of each count entry
int sel1[9] = {120, 90, 20, 60, 36, 72, 45, 30, 40};   // degrees of each angle entry

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
        pen.setXY(0, 0, 780, 560);  // picture and lists in the same place every time
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
    // A list left without a selection (-1) draws nothing.
    if (_selectForN < 0 || _selectForN > 8 || _selectAngle < 0 || _selectAngle > 8) return;
    for (int i = 0; i < sel0[_selectForN]; i++) {
        pen.fd(50);
        pen.rt(sel1[_selectAngle]);
    }
}
