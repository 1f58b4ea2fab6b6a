//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 8;
    pen.fd(n ＋ 10);

    return 0;
}
