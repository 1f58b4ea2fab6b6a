//程序名:新的Qiv程序
//作者: 

int main()
{
    pen.line(10 20);

    return 0;
}
