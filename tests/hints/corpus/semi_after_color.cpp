//程序名:新的Qiv程序
//作者: 

int main()
{
    pen.color(3)
    pen.o(50);

    return 0;
}
