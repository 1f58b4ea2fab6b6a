// Coordinates and words: a labelled grid, styled and turned text on the canvas, numbers in
// the output pane and a question answered on the input line. The file is saved in GBK, as
// the editor saves programs with Chinese texts.
int main()
{
    windows(4, 1, 0);                  // canvas : output pane = 4 : 1
    showXY(2, _grey);                  // a grid every 100 units with its coordinates

    text.size(30, 0).color(_red);      // large red letters
    pen.move(-200, 200);
    pen << "你好，坐标！";               // a string is centred on the pen

    text.size(24, 0).color(_blue).angle(45);
    pen.move(200, 100);
    pen << "斜着写的字";                 // turned with the text style
    text.angle(0);

    text.size(18, 0).color(_black);
    pen.move(-300, -100);
    pen << 3.14159;                    // numbers start at the pen: 3.14

    cout << "x = " << 2.5 << endl;     // 2.50
    cout << "1 / 3 = " << 1.0 / 3 << endl;
    cout << "在哪里画圆？请输入 x 和 y：" << endl;
    int x, y;
    cin >> x >> y;
    pen.move(x, y).color(_green).o(40);
    cout << "圆心在 (" << x << ", " << y << ")" << endl;
    return 0;
}
