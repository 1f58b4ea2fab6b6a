// 第6课 图片：pen.pic 把程序旁边的图片（BMP、JPG、GIF）画在画笔的位置。
// pic(文件名, 宽, 高, true) 把图片的中心放在画笔上；宽或高写 -1 就用图片原来的大小。
// 先准备图片：flower.bmp 在“课本样例程序”的 lessons 文件夹里，把它复制到这个程序
// 所在的文件夹（和 .cpp 文件放在一起），再按 F11。
int main()
{
    string file = getCurPath() + "\\flower.bmp";
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {   // 找不到图片
        cout << "没有找到图片：" << file << endl;
        cout << "请把“课本样例程序”lessons 文件夹里的 flower.bmp 复制到这个文件夹，再运行。" << endl;
        text.size(24, 0).color(_red);
        pen.move(0, 0);
        pen << "缺少图片 flower.bmp";
        return 0;
    }
    pen.move(-150, 0).pic("flower.bmp", -1, -1, true);   // 原来的大小
    pen.move(100, 0).pic("flower.bmp", 200, 200, true);   // 放大到 200 x 200
    pen.move(280, 120).pic("flower.bmp", 60, 60, true);   // 缩小
    text.size(20, 0).color(_black);
    pen.move(-150, -120);
    pen << "原图";
    pen.move(100, -130);
    pen << "放大";
    return 0;
}
