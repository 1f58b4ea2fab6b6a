//程序名:新的Qiv程序
//作者: 

int main()
{
    int 长度 = 100;
    pen.fd(长度);

    return 0;
}
