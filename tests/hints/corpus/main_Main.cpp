//程序名:新的Qiv程序
//作者: 

int Main()
{
    pen.fd(100);

    return 0;
}
