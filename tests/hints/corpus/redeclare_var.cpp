//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 1;
    int n = 2;
    pen.fd(n);

    return 0;
}
