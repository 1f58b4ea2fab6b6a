//程序名:新的Qiv程序
//作者: 

int main()
{
    pen.fdd(100);

    return 0;
}
