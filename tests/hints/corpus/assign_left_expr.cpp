//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 4;
    if (n % 2 = 0)
    {
        pen.fd(n);
    }

    return 0;
}
