//程序名:新的Qiv程序
//作者: 

int main()
{
    int length = 100;
    pen.fd(lenght);

    return 0;
}
