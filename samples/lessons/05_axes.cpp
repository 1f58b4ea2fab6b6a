// 第5课 坐标：showXY 画坐标轴或网格，line 从画笔画线到一个点。
// 右键点画布可以把原点移到那里，鼠标滚轮可以放大缩小，然后程序会重新运行。
int main()
{
    showXY(1, _grey);                 // 每 50 一条网格线，标上数字
    pen.size(3).color(_red);
    pen.move(-150, -100);             // 三角形的三个顶点
    pen.line(150, -100);
    pen.line(0, 150);
    pen.line(-150, -100);
    pen.move(0, 150).oo(6, _blue);
    pen.move(-150, -100).oo(6, _blue);
    pen.move(150, -100).oo(6, _blue);
    cout << "三个顶点：(-150,-100)  (150,-100)  (0,150)" << endl;
    return 0;
}
