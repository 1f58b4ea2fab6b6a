// 第6课 图片：pen.pic 把程序旁边的图片（BMP、JPG、GIF）画在画笔的位置。
// pic(文件名, 宽, 高, true) 把图片的中心放在画笔上；宽或高写 -1 就用图片原来的大小。
int main()
{
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
