// 图形：太阳下的小镇。画笔会的每种图形都用上了：矩形、椭圆和圆，
// 有只画边的，也有涂满的；颜色有编号的，也有红绿蓝三个数的。
int main()
{
    windows(5, 1, 0);
    pen.cls(_white);

    // 天空和草地
    pen.move(0, 190).rr(2000, 400, 0xF0D8A0);       // “打包”的颜色 0xBBGGRR：最低的字节是红
    pen.move(0, -210).rr(2000, 400, 150, 210, 120);
    pen.move(240, 150).oo(40, _gold).o(52, _chocolate1).o(60, _yellow);

    // 房子：墙，用线画的屋顶，门和圆窗户
    for (int i = 0; i < 3; i++) {
        double x = -260 + i * 150;
        pen.move(x, -40).rr(110, 90, i + 9).size(3).r(110, 90, _brown);
        pen.color(_red).move(x - 60, 5).line(x, 60).line(x + 60, 5);
        pen.move(x - 25, -62).rr(24, 46, _brown);
        pen.move(x + 25, -25).oo(14, _cyan).o(14, _darkyran);
    }

    // 树：树干和树冠
    for (int i = 0; i < 4; i++) {
        double x = 190 + i * 45;
        pen.move(x, -70).rr(10, 40, 139, 69, 19);
        pen.move(x, -25).ee(40, 60, _green4).size(2).e(40, 60, 0, 100, 0);
    }

    // 几个椭圆叠成一朵云，一排小石头铺成的路
    pen.move(-150, 160).ee(90, 36, _white).move(-110, 170).ee(70, 40, _white);
    pen.move(-185, 163).ee(50, 26, _white).size(1).e(50, 26, _grey);
    pen.size(1);
    for (int i = 0; i < 6; i++) {
        pen.move(-40 + i * 25, -120 - i * 8).ee(18, 9, _grey).e(18, 9, _black);
    }

    // 画笔沿着石头慢慢走过去，然后显示出来
    pen.color(_blueViolet).size(3).move(-40, -120).speed(7).angle(100).fd(130).speed(100);
    pen.show();

    cout << "矩形、椭圆和圆：只画边的是 r、e、o，涂满的是 rr、ee、oo。" << endl;
    return 0;
}
