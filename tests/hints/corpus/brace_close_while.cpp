//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 0;
    while (n < 5)
    {
        pen.fd(20);
        n++;

    return 0;
}
