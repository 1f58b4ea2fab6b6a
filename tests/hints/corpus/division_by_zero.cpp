//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 10 / 0;
    cout << n;

    return 0;
}
