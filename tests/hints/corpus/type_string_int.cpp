//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = "abc";
    pen.fd(n);

    return 0;
}
