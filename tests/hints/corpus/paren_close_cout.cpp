//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 3;
    cout << (n + 1;

    return 0;
}
