// 第3课 循环：重复做同一件事。正 n 边形每次转 360/n 度；
// 循环变量 i 也可以用来改变长度和颜色。
int main()
{
    for (int i = 0; i < 6; i++) {        // 正六边形：6 条边，每次转 60 度
        pen.fd(60).rt(60);
    }

    pen.move(-220, 120);
    for (int n = 3; n <= 8; n++) {       // 从三角形到八边形
        pen.color(n);
        for (int i = 0; i < n; i++) {
            pen.fd(40).rt(360.0 / n);
        }
    }

    pen.move(200, -50).angle(0).size(2);
    for (int i = 0; i < 60; i++) {       // 螺旋：每次多走一点
        pen.color(i % 15);
        pen.fd(i * 3).rt(91);
    }
    return 0;
}
