// 第4课 文字和输入：cout 在下面的输出窗口写字，cin 从输入框读数；
// pen << 把文字写在画布上画笔的位置，text 改文字的大小、颜色和角度。
int main()
{
    cout << "你好！我会画正多边形。" << endl;
    cout << "请输入边数（3~12）：" << endl;
    int n;
    cin >> n;
    if (n < 3 || n > 12) {
        cout << "边数要在 3 和 12 之间，就画 6 边形吧。" << endl;
        n = 6;
    }
    pen.move(-50, -100).size(2).color(_blue);
    for (int i = 0; i < n; i++) {
        pen.fd(300.0 / n).rt(360.0 / n);
    }
    text.size(28, 0).color(_red);
    pen.move(0, 150);
    pen << "正多边形";                    // 字的中心在画笔上
    cout << n << " 边形的每个外角是 " << 360.0 / n << " 度" << endl;
    return 0;
}
