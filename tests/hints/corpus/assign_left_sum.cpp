//程序名:新的Qiv程序
//作者: 

int main()
{
    int a = 3, b = 7;
    if (a + b = 10)
        pen.fd(100);

    return 0;
}
