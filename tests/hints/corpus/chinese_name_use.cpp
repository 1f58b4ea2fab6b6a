//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 100;
    pen.fd(边长);

    return 0;
}
