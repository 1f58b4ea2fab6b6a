//程序名:新的Qiv程序
//作者: 

int main()
{
    int　n = 5;
    pen.fd(n);

    return 0;
}
