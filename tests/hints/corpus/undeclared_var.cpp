//程序名:新的Qiv程序
//作者: 

int main()
{
    x = 3;
    pen.fd(x);

    return 0;
}
