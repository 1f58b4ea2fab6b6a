//程序名:新的Qiv程序
//作者: 

int main()
{
    pen.move(100，50);

    return 0;
}
