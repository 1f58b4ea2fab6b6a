//程序名:新的Qiv程序
//作者: 

int start()
{
    pen.fd(100);

    return 0;
}
