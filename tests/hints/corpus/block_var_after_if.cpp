//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 8;
    if (n > 0)
    {
        int m = n * 2;
    }
    pen.fd(m);

    return 0;
}
