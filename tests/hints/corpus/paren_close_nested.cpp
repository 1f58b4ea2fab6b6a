//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 3;
    pen.fd((n + 1) * 20;

    return 0;
}
