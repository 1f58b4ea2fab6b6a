//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 8;
    if (n > 5)
    {
        pen.fd(n);

    pen.rt(90);

    return 0;
}
