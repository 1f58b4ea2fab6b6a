// 坐标和文字：带数字的网格，画布上大小、颜色、角度不同的字，输出窗口里的数，
// 还有一个要在输入框里回答的问题。文件用 GBK 编码保存，和编辑器保存中文程序一样。
int main()
{
    windows(4, 1, 0);                  // 画布和输出窗口的高度是 4 : 1
    showXY(2, _grey);                  // 每 100 一条网格线，标上坐标

    text.size(30, 0).color(_red);      // 大大的红字
    pen.move(-200, 200);
    pen << "你好，坐标！";               // 文字的中心在画笔上

    text.size(24, 0).color(_blue).angle(45);
    pen.move(200, 100);
    pen << "斜着写的字";                 // 按文字的角度斜着写
    text.angle(0);

    text.size(18, 0).color(_black);
    pen.move(-300, -100);
    pen << 3.14159;                    // 数从画笔开始写：3.14

    cout << "x = " << 2.5 << endl;     // 2.50
    cout << "1 / 3 = " << 1.0 / 3 << endl;
    cout << "在哪里画圆？请输入 x 和 y：" << endl;
    int x, y;
    cin >> x >> y;
    pen.move(x, y).color(_green).o(40);
    cout << "圆心在 (" << x << ", " << y << ")" << endl;
    return 0;
}
