//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 5
    int m = 6;
    pen.fd(n + m);

    return 0;
}
