//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 5;
    Cout << n;

    return 0;
}
